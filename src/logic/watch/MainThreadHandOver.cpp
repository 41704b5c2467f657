#include "MainThreadHandOver.h"

#include "MainThreadQueue.h"
#include "logic/ErrorReport.h"

#include <condition_variable>
#include <cstdint>
#include <exception>
#include <mutex>

namespace orvandel::inline logic {

// Shared with the queued call, which may reach the main thread after the watcher has gone.
struct MainThreadHandOver::State {
    State(MainThreadQueue& queue, std::function<void()> handedOver, ErrorReport& errors)
        : mainThread(queue)
        , call(std::move(handedOver))
        , report(errors) {}

    MainThreadQueue& mainThread;
    const std::function<void()> call;
    ErrorReport& report;

    mutable std::mutex mutex;
    std::condition_variable letGo;
    bool withdrawn = false;
    bool waiting = false;
    // Each hand-over has a number, so a queued call knows whether it is still wanted.
    std::uint64_t queued = 0;
    std::uint64_t begun = 0;
    std::uint64_t finished = 0;

    void runOnMainThread();
};

MainThreadHandOver::MainThreadHandOver(MainThreadQueue& mainThread, std::function<void()> call,
                                       ErrorReport& report)
    : state(std::make_shared<State>(mainThread, std::move(call), report)) {}

void MainThreadHandOver::synchronize() {
    std::unique_lock lock(state->mutex);
    if (state->withdrawn)
        return;
    const std::uint64_t number = ++state->queued;
    // Queued under the lock, so a withdrawal either comes first and nothing is queued, or comes
    // after and finds this call counted.
    state->mainThread.post([shared = state] { shared->runOnMainThread(); });
    state->waiting = true;
    state->letGo.wait(lock, [&] { return state->withdrawn || state->finished >= number; });
    state->waiting = false;
}

void MainThreadHandOver::State::runOnMainThread() {
    std::uint64_t number = 0;
    {
        const std::lock_guard lock(mutex);
        if (withdrawn || begun >= queued)
            return;
        begun = number = queued;
    }
    std::exception_ptr error;
    try {
        call();
    } catch (...) {
        error = std::current_exception();
    }
    {
        const std::lock_guard lock(mutex);
        finished = number;
    }
    letGo.notify_all();
    if (error)
        report.run([&] { std::rethrow_exception(error); });
}

void MainThreadHandOver::withdraw() {
    {
        const std::lock_guard lock(state->mutex);
        state->withdrawn = true;
    }
    state->letGo.notify_all();
}

bool MainThreadHandOver::isWaiting() const {
    const std::lock_guard lock(state->mutex);
    return state->waiting;
}

} // namespace orvandel::inline logic
