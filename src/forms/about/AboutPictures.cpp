#include "forms/about/AboutPictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace orvandel::inline forms {
namespace {

QPixmap transparentPixmap(int side) {
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

} // namespace

QPixmap closeButtonPicture() {
    QPixmap pixmap = transparentPixmap(48);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QRadialGradient shine(QPointF(18, 14), 34);
    shine.setColorAt(0, QColor(255, 120, 110));
    shine.setColorAt(0.55, QColor(220, 30, 25));
    shine.setColorAt(1, QColor(150, 10, 10));
    painter.setPen(QPen(QColor(110, 0, 0), 2));
    painter.setBrush(shine);
    painter.drawEllipse(QRectF(2, 2, 44, 44));
    painter.setPen(QPen(Qt::white, 6, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(16, 16), QPointF(32, 32));
    painter.drawLine(QPointF(32, 16), QPointF(16, 32));
    return pixmap;
}

QPixmap monitorPicture() {
    QPixmap pixmap = transparentPixmap(32);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    // Stand and foot.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(90, 90, 96));
    painter.drawRect(QRectF(13, 23, 6, 4));
    painter.drawRoundedRect(QRectF(8, 27, 16, 3), 1.5, 1.5);
    // Bezel.
    painter.setPen(QPen(QColor(40, 40, 46), 1));
    painter.setBrush(QColor(70, 70, 78));
    painter.drawRoundedRect(QRectF(1.5, 2.5, 29, 21), 2, 2);
    // Screen, with a sky and a hill as a wallpaper.
    QLinearGradient sky(0, 5, 0, 20);
    sky.setColorAt(0, QColor(70, 150, 235));
    sky.setColorAt(1, QColor(190, 225, 255));
    painter.setPen(Qt::NoPen);
    painter.setBrush(sky);
    painter.drawRect(QRectF(4, 5, 24, 16));
    QPainterPath hill;
    hill.moveTo(4, 21);
    hill.quadTo(13, 11, 28, 18);
    hill.lineTo(28, 21);
    hill.closeSubpath();
    painter.setBrush(QColor(90, 170, 70));
    painter.drawPath(hill);
    painter.setBrush(QColor(255, 220, 80));
    painter.drawEllipse(QRectF(20, 7, 4, 4));
    return pixmap;
}

} // namespace orvandel::inline forms
