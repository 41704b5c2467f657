#include "WakeEvent.h"

#include <poll.h>
#include <sys/eventfd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>

namespace orvandel::system {

WakeEvent::WakeEvent()
    : event(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

void WakeEvent::raise() const {
    const std::uint64_t one = 1;
    // A full counter is already raised, which is all a write here means.
    [[maybe_unused]] const auto written = ::write(event.get(), &one, sizeof one);
}

WaitResult WakeEvent::wait(int watched, std::chrono::milliseconds timeout) const {
    using Clock = std::chrono::steady_clock;
    const bool limited = timeout.count() >= 0;
    const auto deadline = Clock::now() + (limited ? timeout : std::chrono::milliseconds(0));
    for (;;) {
        pollfd requests[] = {{event.get(), POLLIN, 0}, {watched, POLLIN, 0}};
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
        const int ready =
            ::poll(requests, watched >= 0 ? 2 : 1,
                   limited ? static_cast<int>(std::max<std::int64_t>(left.count(), 0)) : -1);
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            return WaitResult::TimedOut;
        if (requests[0].revents & POLLIN) {
            std::uint64_t count = 0;
            [[maybe_unused]] const auto read = ::read(event.get(), &count, sizeof count);
            return WaitResult::Woken;
        }
        if (requests[1].revents & POLLIN)
            return WaitResult::Ready;
        // An error on the watched descriptor: it can tell nothing more, and polling it again
        // would only spin, so the rest of the wait is for the event alone.
        watched = -1;
    }
}

} // namespace orvandel::system
