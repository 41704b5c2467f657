#include "MainThreadQueue.h"

#include <QCoreApplication>
#include <QEvent>

#include <memory>

namespace orvandel::inline logic {

namespace {

const QEvent::Type WakeUp = static_cast<QEvent::Type>(QEvent::registerEventType());

} // namespace

void MainThreadQueue::post(std::function<void()> call) {
    // Made before the lock is released, and read by the main thread only once it holds the lock:
    // the toolkit's own queue is invisible to a thread checker, the lock is not.
    auto wakeUp = std::make_unique<QEvent>(WakeUp);
    bool wasEmpty = false;
    {
        const std::lock_guard lock(mutex);
        wasEmpty = calls.empty();
        calls.push_back(std::move(call));
    }
    // One wake-up is enough for every call queued before the main thread takes them.
    if (wasEmpty)
        QCoreApplication::postEvent(this, wakeUp.release());
}

bool MainThreadQueue::event(QEvent* event) {
    std::unique_lock lock(mutex);
    if (event->type() != WakeUp) {
        lock.unlock();
        return QObject::event(event);
    }
    std::vector<std::function<void()>> waiting;
    waiting.swap(calls);
    lock.unlock();
    for (const auto& call : waiting)
        call();
    return true;
}

} // namespace orvandel::inline logic
