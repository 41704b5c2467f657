#pragma once

#include <QObject>

#include <functional>
#include <mutex>
#include <vector>

namespace orvandel::inline logic {

// The main thread's end of the watchers' hand-overs: a watcher adds a call and wakes the main
// thread with an empty event, and the main thread runs the waiting calls from its event loop, or
// from any modal loop. The calls cross under our own lock, not inside the toolkit's event, so a
// thread checker sees the hand-over. Lives on the main thread.
class MainThreadQueue final : public QObject {
public:
    // Any thread.
    void post(std::function<void()> call);

protected:
    bool event(QEvent* event) override;

private:
    std::mutex mutex;
    std::vector<std::function<void()>> calls;
};

} // namespace orvandel::inline logic
