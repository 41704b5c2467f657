#include "TkvImgPanel.h"

#include <QPainter>

namespace orvandel {

TkvImgPanel::TkvImgPanel(QWidget* owner)
    : QWidget(owner) {
    // Every pixel comes from the brush bitmap: nothing behind it needs drawing first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TkvImgPanel::SetPicture(const QImage& picture) {
    FPicture = picture;
    PictureChanged();
}

void TkvImgPanel::SetPaintStyle(TPaintStyle style) {
    if (style == FPaintStyle)
        return;
    FPaintStyle = style;
    PictureChanged();
    repaint();
}

void TkvImgPanel::PictureChanged() {
    FBrushBmp = renderBrushBitmap(FPicture, FPaintStyle, size(), Color);
}

void TkvImgPanel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    PictureChanged();
    repaint();
}

void TkvImgPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (FBrushBmp.isNull())
        painter.fillRect(rect(), Color);
    else
        painter.fillRect(rect(), QBrush(FBrushBmp));
}

} // namespace orvandel
