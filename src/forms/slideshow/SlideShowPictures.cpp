#include "SlideShowPictures.h"

#include "forms/main/MainWindowPictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace orvandel::inline forms {

namespace {

const QColor Signal(200, 30, 30);

QPixmap blank(QSize size) {
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

// A photograph with a white border: an evening sky over a dark hill.
void drawPhotograph(QPainter& painter, const QRectF& box, const QColor& sky, const QColor& hill) {
    painter.save();
    painter.setPen(QPen(QColor(90, 90, 90), 1));
    painter.setBrush(Qt::white);
    painter.drawRect(box);
    const QRectF inside =
        box.adjusted(box.width() / 10, box.width() / 10, -box.width() / 10, -box.width() / 10);
    QLinearGradient gradient(inside.topLeft(), inside.bottomLeft());
    gradient.setColorAt(0, sky);
    gradient.setColorAt(1, sky.lighter(150));
    painter.setPen(Qt::NoPen);
    painter.setBrush(gradient);
    painter.drawRect(inside);
    QPainterPath slope;
    slope.moveTo(inside.bottomLeft());
    slope.quadTo(QPointF(inside.center().x(), inside.top() + inside.height() * 0.35),
                 inside.bottomRight());
    slope.closeSubpath();
    painter.setBrush(hill);
    painter.drawPath(slope);
    painter.restore();
}

} // namespace

QPixmap slideShowSelectImagesIcon() {
    return pictureRowIcon();
}

QPixmap slideShowStartIcon() {
    QPixmap pixmap = blank({16, 16});
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    drawPhotograph(painter, QRectF(1.5, 2.5, 13, 11), QColor(240, 120, 40), QColor(70, 50, 90));
    return pixmap;
}

QPixmap slideShowStopIcon() {
    QPixmap pixmap = blank({16, 16});
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Signal);
    painter.drawEllipse(QRectF(1, 1, 14, 14));
    painter.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(5.5, 5.5), QPointF(10.5, 10.5));
    painter.drawLine(QPointF(10.5, 5.5), QPointF(5.5, 10.5));
    return pixmap;
}

QPixmap slideShowCloseIcon() {
    QPixmap pixmap = blank({16, 16});
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    // A door ajar, then an arrow going through it.
    painter.setPen(QPen(QColor(110, 70, 30), 1));
    painter.setBrush(QColor(190, 140, 80));
    painter.drawRect(QRectF(8.5, 1.5, 6, 13));
    painter.setBrush(QColor(60, 40, 20));
    painter.drawPolygon(
        QPolygonF({QPointF(8.5, 1.5), QPointF(11.5, 3), QPointF(11.5, 14), QPointF(8.5, 14.5)}));
    painter.setPen(QPen(Signal, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawLine(QPointF(1.5, 8), QPointF(9, 8));
    painter.drawPolyline(QPolygonF({QPointF(6, 5), QPointF(9.5, 8), QPointF(6, 11)}));
    return pixmap;
}

QPixmap slideShowDecoration(QSize size) {
    QPixmap pixmap = blank(size);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size.width() / 146.0, size.height() / 166.0);
    const QColor manila(235, 195, 95);
    // The folder's back, the photographs standing in it, then the folder's front.
    painter.setPen(QPen(manila.darker(140), 1.5));
    painter.setBrush(manila.darker(110));
    painter.drawRoundedRect(QRectF(10, 40, 126, 110), 6, 6);
    painter.drawRoundedRect(QRectF(10, 30, 50, 20), 4, 4);
    painter.save();
    painter.translate(35, 20);
    painter.rotate(-10);
    drawPhotograph(painter, QRectF(0, 0, 58, 72), QColor(60, 120, 210), QColor(40, 130, 60));
    painter.restore();
    painter.save();
    painter.translate(62, 14);
    painter.rotate(8);
    drawPhotograph(painter, QRectF(0, 0, 58, 72), QColor(240, 120, 40), QColor(70, 50, 90));
    painter.restore();
    QPainterPath front;
    front.moveTo(4, 84);
    front.lineTo(142, 84);
    front.lineTo(134, 156);
    front.lineTo(12, 156);
    front.closeSubpath();
    QLinearGradient gradient(0, 84, 0, 156);
    gradient.setColorAt(0, manila.lighter(112));
    gradient.setColorAt(1, manila);
    painter.setBrush(gradient);
    painter.drawPath(front);
    return pixmap;
}

} // namespace orvandel::inline forms
