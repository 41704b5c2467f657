#pragma once

#include <functional>
#include <memory>

namespace orvandel::inline logic {

class ErrorReport;
class MainThreadQueue;

// The watcher's synchronous call into the main thread: the watcher queues the call and stays
// blocked until the main thread has run it, from its event loop or from any modal loop. An error
// raised by the call goes to the error report once the watcher has been let go, so a message box
// never holds the watcher. The main thread can withdraw the hand-over when it stops the watcher:
// the watcher is let go at once and a call not yet begun is dropped, so a stop never waits for a
// call that only the stopping thread itself could run.
class MainThreadHandOver {
public:
    // `mainThread` stays until the hand-over is withdrawn: nothing is queued after that.
    MainThreadHandOver(MainThreadQueue& mainThread, std::function<void()> call,
                       ErrorReport& report);

    // Watcher thread: runs the call on the main thread and returns once it has run, or once the
    // hand-over is withdrawn.
    void synchronize();
    // Main thread: lets the waiting watcher go and drops this and every later call.
    void withdraw();
    // Whether the watcher is waiting for the main thread.
    bool isWaiting() const;

private:
    struct State;
    std::shared_ptr<State> state;
};

} // namespace orvandel::inline logic
