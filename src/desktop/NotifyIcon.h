#pragma once

#include "desktop/WindowMessage.h"

#include <QIcon>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>

namespace orvandel::desktop {

// The record of every notification-area call; the caller keeps it between calls. Members the
// program never writes are left out: they would stay zero.
struct NOTIFYICONDATAW {
    std::uint32_t cbSize = 0;
    MessageWindow* hWnd = nullptr;
    std::uint32_t uID = 0;
    std::uint32_t uFlags = 0;
    std::uint32_t uCallbackMessage = 0;
    QIcon hIcon;
    std::array<char16_t, 128> szTip{};
};

inline constexpr std::uint32_t NIF_MESSAGE = 1;
inline constexpr std::uint32_t NIF_ICON = 2;
inline constexpr std::uint32_t NIF_TIP = 4;

enum class NotifyIconMessage : std::uint32_t { NIM_ADD = 0, NIM_MODIFY = 1, NIM_DELETE = 2 };

// The notification-area icon of the program. Mouse notifications reach the record's hWnd as its
// uCallbackMessage, with uID in WParam and the mouse message (WM_LBUTTONDOWN...) in LParam.
class NotifyIcon {
public:
    virtual ~NotifyIcon() = default;

    // Adds, updates or removes the icon that hWnd and uID name; whether the desktop took it.
    virtual bool Shell_NotifyIconW(NotifyIconMessage message, const NOTIFYICONDATAW& data) = 0;

    // Called each time a tray host appears, when the desktop starts it or starts it again: the
    // icons it held are gone and must be added again ("TaskbarCreated").
    virtual void setTaskbarCreatedHandler(std::function<void()> handler) = 0;
};

// The implementation for this platform.
std::unique_ptr<NotifyIcon> createNotifyIcon();

} // namespace orvandel::desktop
