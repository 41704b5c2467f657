#include "TrayPictures.h"

#include <QPainter>
#include <QPainterPath>

namespace orvandel::inline components {

namespace {

constexpr int SunSteps = 4;

QPixmap paintLandscape(int size, int step) {
    QPixmap picture(size, size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 32.0, size / 32.0);

    // Frame and sky.
    painter.setPen(QPen(QColor(0x5a, 0x3a, 0x1e), 2));
    painter.setBrush(QColor(0x8c, 0xc8, 0xf0));
    painter.drawRoundedRect(QRectF(2, 4, 28, 24), 3, 3);

    // The sun rises from the left and sets on the right.
    const double sunX = 8 + step * 16.0 / (SunSteps - 1);
    const double sunY = step == 0 || step == SunSteps - 1 ? 13 : 10;
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xff, 0xc8, 0x20));
    painter.drawEllipse(QPointF(sunX, sunY), 3.5, 3.5);

    // Two hills in the foreground.
    QPainterPath hills;
    hills.moveTo(3, 27);
    hills.lineTo(3, 21);
    hills.quadTo(11, 13, 18, 21);
    hills.quadTo(24, 16, 29, 20);
    hills.lineTo(29, 27);
    hills.closeSubpath();
    painter.setBrush(QColor(0x3c, 0x96, 0x3c));
    painter.drawPath(hills);
    return picture;
}

} // namespace

void addTrayPictures(TImageList& list, int size) {
    for (int step = 0; step < SunSteps; ++step)
        list.Add(paintLandscape(size, step));
}

} // namespace orvandel::inline components
