#include "forms/about/ClosePicture.h"

#include "forms/about/AboutPictures.h"

#include <QMouseEvent>

namespace orvandel::inline forms {

ClosePicture::ClosePicture(QWidget* parent)
    : QLabel(parent) {
    setPixmap(closeButtonPicture());
    setScaledContents(true);
    setCursor(Qt::PointingHandCursor);
}

void ClosePicture::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        event->accept();
}

void ClosePicture::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

} // namespace orvandel::inline forms
