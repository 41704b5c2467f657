#include "DragBand.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace orvandel::inline forms {

DragBand::DragBand(QWidget& window, int bandHeight)
    : QObject(&window)
    , dragged(window)
    , band(bandHeight) {
    // The band lies over children that are created later too, so watch the whole application
    // and keep only this window's events.
    qApp->installEventFilter(this);
}

void DragBand::exclude(QWidget& widget) {
    excluded.emplace_back(&widget);
}

bool DragBand::dragsAt(QPoint windowPoint) const {
    return windowPoint.y() >= 0 && windowPoint.y() < band && windowPoint.x() >= 0 &&
           windowPoint.x() < dragged.width();
}

bool DragBand::isExcluded(const QWidget* widget) const {
    return std::any_of(excluded.begin(), excluded.end(), [widget](const QPointer<QWidget>& ex) {
        return ex && (ex == widget || ex->isAncestorOf(widget));
    });
}

bool DragBand::eventFilter(QObject* watched, QEvent* event) {
    const auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != &dragged)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const auto* press = static_cast<QMouseEvent*>(event);
        if (press->button() != Qt::LeftButton || isExcluded(widget))
            return false;
        const QPoint global = press->globalPosition().toPoint();
        return dragsAt(dragged.mapFromGlobal(global)) && startDrag(global);
    }
    case QEvent::MouseMove:
        if (!followingPointer)
            return false;
        dragged.move(static_cast<QMouseEvent*>(event)->globalPosition().toPoint() - grabOffset);
        return true;
    case QEvent::MouseButtonRelease:
        if (!followingPointer)
            return false;
        followingPointer = false;
        return true;
    default:
        return false;
    }
}

bool DragBand::startDrag(QPoint globalPoint) {
    QWindow* handle = dragged.windowHandle();
    if (handle && handle->startSystemMove())
        return true;
    // Quirk: without a window manager that offers moves, the window follows the pointer itself.
    followingPointer = true;
    grabOffset = globalPoint - dragged.pos();
    return true;
}

} // namespace orvandel::inline forms
