#include "PanelRendering.h"

#include "imaging/Stretch.h"

#include <QPainter>

namespace orvandel::inline logic {

namespace {

int truncated(long double value) {
    return static_cast<int>(value);
}

QImage filled(QSize size, QColor colour) {
    QImage bitmap(size, QImage::Format_RGB32);
    bitmap.fill(colour);
    return bitmap;
}

QImage stretchedOver(const QImage& picture, QSize panel) {
    return imaging::stretchPicture(picture, panel).convertToFormat(QImage::Format_RGB32);
}

QImage centred(const QImage& picture, QSize panel, QColor colour) {
    QImage bitmap = filled(panel, colour);
    QPainter(&bitmap).drawImage(centredOrigin(picture.size(), panel), picture);
    return bitmap;
}

QImage proportional(const QImage& picture, QSize panel, QColor colour) {
    QImage bitmap = filled(panel, colour);
    const QRect target = proportionalTarget(picture.size(), panel);
    if (!picture.isNull() && !target.isEmpty())
        QPainter(&bitmap).drawImage(target.topLeft(), stretchedOver(picture, target.size()));
    return bitmap;
}

} // namespace

QRect proportionalTarget(QSize picture, QSize panel) {
    int width = picture.width();
    int height = picture.height();
    const int panelWidth = panel.width();
    const int panelHeight = panel.height();
    if (width > 0 && height > 0) {
        const long double F = static_cast<double>(width) / height;
        if (width > height) {
            width = panelWidth;
            height = truncated(panelWidth / F);
            if (height > panelHeight) {
                height = panelHeight;
                width = truncated(panelHeight * F);
            }
        } else {
            height = panelHeight;
            width = truncated(panelHeight * F);
            if (width > panelWidth) {
                width = panelWidth;
                height = truncated(panelWidth / F);
            }
        }
    }
    return {(panelWidth - width) / 2, (panelHeight - height) / 2, width, height};
}

QPoint centredOrigin(QSize picture, QSize panel) {
    return {(panel.width() - picture.width()) / 2, (panel.height() - picture.height()) / 2};
}

QImage renderBrushBitmap(const QImage& picture, TPaintStyle style, QSize panel, QColor colour) {
    if (panel.isEmpty())
        return {};
    switch (style) {
    case psStretch:
        return picture.isNull() ? filled(panel, colour) : stretchedOver(picture, panel);
    case psCenter:
        return centred(picture, panel, colour);
    case psMosaic:
        if (picture.isNull())
            return filled(panel, colour);
        if (static_cast<long long>(picture.width()) * picture.height() > MosaicPixelLimit)
            return stretchedOver(picture, panel);
        return picture.convertToFormat(QImage::Format_RGB32);
    case psProportional:
        return proportional(picture, panel, colour);
    }
    return {};
}

} // namespace orvandel::inline logic
