#include "MainWindowPictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace orvandel::inline forms {

namespace {

const QColor Amber(213, 143, 0);
const QColor Maroon(128, 0, 0);

QPixmap transparentPixmap(QSize size) {
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

// A rounded tile with a soft vertical gradient: the common ground of the top buttons.
QPixmap buttonTile(const QColor& top, const QColor& bottom, QPainter& painter, QPixmap& pixmap) {
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient gradient(0, 0, 0, 48);
    gradient.setColorAt(0, top);
    gradient.setColorAt(1, bottom);
    painter.setPen(QPen(Qt::white, 2));
    painter.setBrush(gradient);
    painter.drawRoundedRect(QRectF(3, 3, 42, 42), 9, 9);
    return pixmap;
}

// A small landscape: sky, sun and two hills.
void drawLandscape(QPainter& painter, const QRectF& box) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::white, box.width() > 20 ? 1.5 : 1));
    painter.setBrush(QColor(120, 180, 235));
    painter.drawRect(box);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 210, 60));
    const double unit = box.width() / 16;
    painter.drawEllipse(QPointF(box.left() + 11 * unit, box.top() + 4 * unit), 2 * unit, 2 * unit);
    QPainterPath hills;
    hills.moveTo(box.bottomLeft());
    hills.lineTo(box.left() + 5 * unit, box.top() + 6 * unit);
    hills.lineTo(box.left() + 9 * unit, box.top() + 10 * unit);
    hills.lineTo(box.left() + 12 * unit, box.top() + 8 * unit);
    hills.lineTo(box.bottomRight());
    hills.closeSubpath();
    painter.setBrush(QColor(60, 150, 70));
    painter.drawPath(hills);
    painter.restore();
}

void drawCentredText(QPainter& painter, const QRect& box, const QString& text, int pixelSize,
                     const QColor& color) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(color);
    painter.drawText(box, Qt::AlignCenter, text);
}

} // namespace

QPixmap slideShowButtonPicture() {
    QPixmap pixmap = transparentPixmap({48, 48});
    QPainter painter(&pixmap);
    buttonTile(QColor(255, 190, 110), QColor(210, 110, 20), painter, pixmap);
    drawLandscape(painter, QRectF(10, 14, 22, 17));
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawPolygon(QPolygonF({QPointF(29, 24), QPointF(40, 31), QPointF(29, 38)}));
    return pixmap;
}

QPixmap addPictureButtonPicture() {
    QPixmap pixmap = transparentPixmap({48, 48});
    QPainter painter(&pixmap);
    buttonTile(QColor(255, 190, 110), QColor(210, 110, 20), painter, pixmap);
    drawLandscape(painter, QRectF(9, 11, 24, 19));
    painter.setPen(QPen(QColor(20, 140, 40), 4, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(33, 27), QPointF(33, 39));
    painter.drawLine(QPointF(27, 33), QPointF(39, 33));
    return pixmap;
}

QPixmap helpButtonPicture() {
    QPixmap pixmap = transparentPixmap({48, 48});
    QPainter painter(&pixmap);
    buttonTile(QColor(150, 190, 255), QColor(40, 80, 190), painter, pixmap);
    drawCentredText(painter, QRect(0, 0, 48, 48), QStringLiteral("?"), 28, Qt::white);
    return pixmap;
}

QPixmap reduceButtonPicture() {
    QPixmap pixmap = transparentPixmap({48, 48});
    QPainter painter(&pixmap);
    buttonTile(QColor(255, 150, 140), QColor(190, 30, 30), painter, pixmap);
    painter.setPen(QPen(Qt::white, 5, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(15, 31), QPointF(33, 31));
    return pixmap;
}

QPixmap mainWindowBanner() {
    QPixmap pixmap = transparentPixmap({302, 50});
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient gradient(0, 0, 302, 0);
    gradient.setColorAt(0, QColor(213, 143, 0));
    gradient.setColorAt(1, QColor(255, 225, 164));
    painter.setPen(Qt::NoPen);
    painter.setBrush(gradient);
    painter.drawRoundedRect(QRectF(1, 1, 300, 48), 12, 12);
    drawLandscape(painter, QRectF(12, 9, 40, 32));
    drawCentredText(painter, QRect(60, 0, 242, 50), QStringLiteral("Orvandel"), 28, Maroon);
    return pixmap;
}

QPixmap previewFramePicture(QSize size) {
    QPixmap pixmap = transparentPixmap(size);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(155, 105, 0), 3));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(QPointF(2, 2), QSizeF(size) - QSizeF(4, 4)), 14, 14);
    painter.setPen(QPen(Qt::white, 1));
    painter.drawRoundedRect(QRectF(QPointF(6, 6), QSizeF(size) - QSizeF(12, 12)), 11, 11);
    return pixmap;
}

QPixmap pictureRowIcon() {
    QPixmap pixmap = transparentPixmap({16, 16});
    QPainter painter(&pixmap);
    drawLandscape(painter, QRectF(1.5, 2.5, 13, 11));
    return pixmap;
}

QIcon programIcon() {
    QIcon icon;
    for (const int side : {16, 22, 32, 48}) {
        QPixmap pixmap = transparentPixmap({side, side});
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Amber);
        painter.drawRoundedRect(QRectF(0, 0, side, side), side / 5.0, side / 5.0);
        drawLandscape(painter, QRectF(side * 0.15, side * 0.2, side * 0.7, side * 0.6));
        icon.addPixmap(pixmap);
    }
    return icon;
}

QIcon menuIcon(const QString& themeName, QChar letter, const QColor& color) {
    if (QIcon::hasThemeIcon(themeName))
        return QIcon::fromTheme(themeName);
    QPixmap pixmap = transparentPixmap({16, 16});
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawRoundedRect(QRectF(0.5, 0.5, 15, 15), 4, 4);
    drawCentredText(painter, QRect(0, 0, 16, 16), letter, 11, Qt::white);
    return QIcon(pixmap);
}

} // namespace orvandel::inline forms
