#include "TkvImgPanel.h"

#include "common/Error.h"
#include "imaging/PictureLoader.h"

#include <QEvent>
#include <QPainter>

namespace orvandel::inline components {

TkvImgPanel::TkvImgPanel(QWidget* owner)
    : QWidget(owner) {
    // Every pixel comes from the brush bitmap: nothing behind it needs drawing first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    if (owner != nullptr) {
        setGeometry(owner->rect());
        owner->installEventFilter(this);
    }
}

void TkvImgPanel::SetPicture(const QImage& picture) {
    FFileName.clear();
    FPicture = picture;
    PictureChanged();
}

void TkvImgPanel::LoadFromFile(const QString& path) {
    FFileName = path;
    try {
        DecodeFile();
    } catch (...) {
        FFileName.clear();
        throw;
    }
    PictureChanged();
}

void TkvImgPanel::Assign(const TkvImgPanel& other) {
    FPicture = other.FPicture;
    FFileName = other.FFileName;
    FDecodedFor = other.FDecodedFor;
    FFrame = nullptr;
    if (other.size() == size() && other.FPaintStyle == FPaintStyle && other.Color == Color)
        FBrushBmp = other.FBrushBmp;
    else
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
    FFrame = nullptr;
    if (NeedsDecodingAgain()) {
        // A file gone since it was shown keeps the picture decoded before, enlarged, rather
        // than failing a resize.
        try {
            DecodeFile();
        } catch (const Error&) {
            FDecodedFor = DecodingBound();
        }
    }
    FBrushBmp = renderBrushBitmap(FPicture, FPaintStyle, size(), Color);
}

QImage TkvImgPanel::Rendered() const {
    if (FBrushBmp.size() == size() && FBrushBmp.format() == QImage::Format_RGB32)
        return FBrushBmp;
    QImage bitmap(size(), QImage::Format_RGB32);
    QPainter painter(&bitmap);
    if (FBrushBmp.isNull())
        painter.fillRect(bitmap.rect(), Color);
    else if (FBrushBmp.size() == size())
        painter.drawImage(0, 0, FBrushBmp);
    else
        painter.fillRect(bitmap.rect(), QBrush(FBrushBmp));
    return bitmap;
}

void TkvImgPanel::ShowFrame(const QImage& frame) {
    FFrame = &frame;
    repaint();
}

QSize TkvImgPanel::DecodingBound() const {
    // A panel not laid out yet takes the smallest decoding; its first real size decodes again.
    if (FPaintStyle == psStretch || FPaintStyle == psProportional)
        return size().expandedTo(QSize(1, 1));
    return {};
}

bool TkvImgPanel::NeedsDecodingAgain() const {
    if (FFileName.isEmpty() || !FDecodedFor.isValid())
        return false;
    const QSize bound = DecodingBound();
    return !bound.isValid() || bound.width() > FDecodedFor.width() ||
           bound.height() > FDecodedFor.height();
}

void TkvImgPanel::DecodeFile() {
    const QSize bound = DecodingBound();
    FPicture = bound.isValid() ? imaging::loadPictureBounded(FFileName, bound)
                               : imaging::loadPicture(FFileName);
    FDecodedFor = bound;
}

bool TkvImgPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parent() && event->type() == QEvent::Resize)
        setGeometry(parentWidget()->rect());
    return QWidget::eventFilter(watched, event);
}

void TkvImgPanel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    PictureChanged();
    repaint();
}

void TkvImgPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (FFrame != nullptr)
        painter.drawImage(0, 0, *FFrame);
    else if (FBrushBmp.isNull())
        painter.fillRect(rect(), Color);
    else
        painter.fillRect(rect(), QBrush(FBrushBmp));
}

} // namespace orvandel::inline components
