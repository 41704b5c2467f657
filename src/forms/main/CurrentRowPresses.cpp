#include "CurrentRowPresses.h"

#include <QListWidget>
#include <QMouseEvent>

namespace orvandel::inline forms {

CurrentRowPresses::CurrentRowPresses(QListWidget& watchedList)
    : QObject(&watchedList)
    , list(watchedList) {
    list.viewport()->installEventFilter(this);
}

// Seen before the list handles the press, while the current row is still the one from before.
bool CurrentRowPresses::eventFilter(QObject*, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) {
        const auto* press = static_cast<const QMouseEvent*>(event);
        const int row = list.indexAt(press->position().toPoint()).row();
        if (row >= 0 && row == list.currentRow())
            emit pressed();
    }
    return false;
}

} // namespace orvandel::inline forms
