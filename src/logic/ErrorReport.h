#pragma once

#include "desktop/Dialogs.h"

#include <utility>

namespace orvandel::inline logic {

// The one place where an error that escapes a handler is caught: its text is shown in a message
// box and the program goes on. Every handler the toolkit calls runs through run() or guarded(),
// so no exception ever crosses the event loop.
class ErrorReport {
public:
    explicit ErrorReport(desktop::Dialogs& messageBoxes);

    template <typename Action> void run(Action&& action) noexcept {
        try {
            std::forward<Action>(action)();
        } catch (...) {
            reportCurrentException();
        }
    }

    // Wraps a handler for connecting to a signal.
    template <typename Handler> auto guarded(Handler handler) {
        return [this, handler = std::move(handler)](auto&&... arguments) {
            this->run([&] { handler(std::forward<decltype(arguments)>(arguments)...); });
        };
    }

private:
    void reportCurrentException() noexcept;

    desktop::Dialogs& dialogs;
};

} // namespace orvandel::inline logic
