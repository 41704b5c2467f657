#include "ImportPictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace orvandel::inline forms {

namespace {

QPixmap transparentCanvas(QSize size) {
    QPixmap canvas(size);
    canvas.fill(Qt::transparent);
    return canvas;
}

// A small landscape, sky, sun and hills, inside `frame`.
void paintPhotograph(QPainter& painter, const QRectF& frame) {
    painter.setPen(QPen(QColor(90, 60, 30), frame.width() / 24.0));
    painter.setBrush(QColor(250, 246, 236));
    painter.drawRoundedRect(frame, frame.width() / 20.0, frame.width() / 20.0);
    const QRectF photo = frame.adjusted(frame.width() / 10, frame.height() / 10,
                                        -frame.width() / 10, -frame.height() / 10);
    QLinearGradient sky(photo.topLeft(), photo.bottomLeft());
    sky.setColorAt(0, QColor(90, 160, 230));
    sky.setColorAt(1, QColor(200, 230, 250));
    painter.setPen(Qt::NoPen);
    painter.setBrush(sky);
    painter.drawRect(photo);
    painter.setBrush(QColor(255, 205, 60));
    const double sun = photo.width() / 6;
    painter.drawEllipse(QPointF(photo.right() - 1.5 * sun, photo.top() + 1.5 * sun), sun, sun);
    QPainterPath hills(photo.bottomLeft());
    hills.lineTo(photo.left(), photo.center().y() + photo.height() / 8);
    hills.quadTo(photo.left() + photo.width() / 3, photo.top() + photo.height() / 3,
                 photo.center().x(), photo.center().y() + photo.height() / 6);
    hills.quadTo(photo.right() - photo.width() / 5, photo.center().y(), photo.right(),
                 photo.center().y() + photo.height() / 10);
    hills.lineTo(photo.bottomRight());
    hills.closeSubpath();
    painter.setBrush(QColor(70, 140, 70));
    painter.drawPath(hills);
}

} // namespace

QPixmap importBandPicture() {
    QPixmap canvas = transparentCanvas(QSize(48, 48));
    QPainter painter(&canvas);
    painter.setRenderHint(QPainter::Antialiasing);
    paintPhotograph(painter, QRectF(3, 7, 42, 34));
    return canvas;
}

QPixmap importChooserPicture() {
    QPixmap canvas = transparentCanvas(QSize(64, 64));
    QPainter painter(&canvas);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(150, 110, 20), 2));
    painter.setBrush(QColor(240, 200, 90));
    painter.drawRoundedRect(QRectF(4, 14, 56, 42), 4, 4);
    paintPhotograph(painter, QRectF(14, 6, 36, 30));
    painter.setBrush(QColor(250, 215, 110));
    QPainterPath flap(QPointF(4, 56));
    flap.lineTo(12, 28);
    flap.lineTo(62, 28);
    flap.lineTo(56, 56);
    flap.closeSubpath();
    painter.drawPath(flap);
    return canvas;
}

QPixmap importAddPicture() {
    QPixmap canvas = transparentCanvas(QSize(130, 130));
    QPainter painter(&canvas);
    painter.setRenderHint(QPainter::Antialiasing);
    paintPhotograph(painter, QRectF(6, 10, 100, 80));
    painter.setPen(QPen(Qt::white, 4));
    painter.setBrush(QColor(40, 160, 60));
    painter.drawEllipse(QPointF(92, 92), 30, 30);
    painter.setPen(QPen(Qt::white, 10, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(92, 74), QPointF(92, 110));
    painter.drawLine(QPointF(74, 92), QPointF(110, 92));
    return canvas;
}

QPixmap importPlaceholderPicture() {
    QPixmap canvas(QSize(325, 280));
    canvas.fill(QColor(236, 233, 216));
    QPainter painter(&canvas);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(160, 150, 120), 3, Qt::DashLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(12, 12, 301, 256), 12, 12);
    painter.setOpacity(0.55);
    paintPhotograph(painter, QRectF(92, 70, 140, 112));
    return canvas;
}

} // namespace orvandel::inline forms
