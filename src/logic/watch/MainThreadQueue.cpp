#include "MainThreadQueue.h"

#include <QCoreApplication>
#include <QEvent>

namespace orvandel {

namespace {

const QEvent::Type WakeUp = static_cast<QEvent::Type>(QEvent::registerEventType());

} // namespace

void MainThreadQueue::post(std::function<void()> call) {
    bool wasEmpty = false;
    {
        const std::lock_guard lock(mutex);
        wasEmpty = calls.empty();
        calls.push_back(std::move(call));
    }
    // One wake-up is enough for every call queued before the main thread takes them.
    if (wasEmpty)
        QCoreApplication::postEvent(this, new QEvent(WakeUp));
}

bool MainThreadQueue::event(QEvent* event) {
    if (event->type() != WakeUp)
        return QObject::event(event);
    std::vector<std::function<void()>> waiting;
    {
        const std::lock_guard lock(mutex);
        waiting.swap(calls);
    }
    for (const auto& call : waiting)
        call();
    return true;
}

} // namespace orvandel
