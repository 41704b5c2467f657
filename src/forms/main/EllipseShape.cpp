#include "EllipseShape.h"

#include <QMouseEvent>
#include <QPainter>

namespace orvandel::inline forms {

EllipseShape::EllipseShape(QWidget* parent)
    : QWidget(parent) {}

void EllipseShape::setBrushColor(const QColor& color) {
    brushColor = color;
    update();
}

void EllipseShape::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::white, 1));
    painter.setBrush(brushColor);
    painter.drawEllipse(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
}

void EllipseShape::mousePressEvent(QMouseEvent* event) {
    event->accept();
    emit pressed();
}

} // namespace orvandel::inline forms
