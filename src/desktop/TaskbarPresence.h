#pragma once

#include <QWidget>

#include <cstdint>
#include <memory>

namespace orvandel::desktop {

enum class ShowCommand : int { SW_HIDE = 0, SW_SHOW = 5 };

// FlashWindow's bInvert: invert the highlighted state, or return to normal.
enum class FlashInvert { Normal, Invert };

inline constexpr std::uint32_t FLASHW_STOP = 0;

struct FLASHWINFO {
    std::uint32_t cbSize = 0;
    std::uint32_t dwFlags = 0;
    std::uint32_t uCount = 0;
    std::uint32_t dwTimeout = 0;
};

// The application window: the program's button on the taskbar and its calls for attention. It
// has no window of its own here; it acts through the main form once the program has one.
class TaskbarPresence {
public:
    virtual ~TaskbarPresence() = default;

    // The form that carries the taskbar button; null until the main form has been created.
    virtual void setMainForm(QWidget* form) = 0;

    // Shows or hides the taskbar button, whether or not the main form is visible.
    virtual void ShowWindow(ShowCommand command) = 0;
    virtual void FlashWindow(FlashInvert invert) = 0;
    virtual void FlashWindowEx(const FLASHWINFO& info) = 0;
    // Brings a window to the front; null stands for the application window itself.
    virtual void SetForegroundWindow(QWidget* window) = 0;
};

// The implementation for this platform.
std::unique_ptr<TaskbarPresence> createTaskbarPresence();

} // namespace orvandel::desktop
