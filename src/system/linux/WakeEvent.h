#pragma once

#include "Descriptor.h"

#include <chrono>

namespace orvandel::system {

// What a wait on descriptors ended with.
enum class WaitResult { Ready, Woken, TimedOut };

// An eventfd that another thread raises to end a wait at once. Raised before the wait begins, it
// ends the next wait; each wait that sees it lowers it.
class WakeEvent {
public:
    WakeEvent();

    // Safe from any thread.
    void raise() const;

    // Waits until `watched` (if any) is readable or the event is raised, at most `timeout`, or
    // with no limit when `timeout` is negative.
    WaitResult wait(int watched, std::chrono::milliseconds timeout) const;

private:
    Descriptor event;
};

} // namespace orvandel::system
