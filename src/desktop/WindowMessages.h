#pragma once

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>

namespace orvandel::desktop {

// The one message other processes send the program, with the numbers they know it by: the
// notification-area callback message, whose lParam carries the mouse message that says what to do.
inline constexpr std::uint32_t WM_APPELMESSAGE = 1025;
inline constexpr std::int64_t WM_LBUTTONDBLCLK = 515;
inline constexpr std::int64_t WM_RBUTTONDOWN = 516;

// A window message sent to the program from another process.
struct WindowMessage {
    std::uint32_t message = 0;
    std::int64_t wParam = 0;
    std::int64_t lParam = 0;
};

// Receives window messages from outside the process on a per-user channel, and hands each to the
// handler on the main thread.
class WindowMessageServer {
public:
    using Handler = std::function<void(const WindowMessage&)>;

    virtual ~WindowMessageServer() = default;

    // Starts receiving. Returns false when the channel cannot be opened, for instance because
    // another running instance of the program holds it.
    virtual bool listen(Handler handler) = 0;
};

// The channel of the running user's program.
std::unique_ptr<WindowMessageServer> makeWindowMessageServer();
std::unique_ptr<WindowMessageServer> makeWindowMessageServer(const QString& channelName);
// Where the running user's channel lives.
QString windowMessageChannelName();
// Sends one message on the channel, waiting up to `milliseconds` for a server that may still be
// starting; false when none took it.
bool sendWindowMessage(const QString& channelName, const WindowMessage& message, int milliseconds);

} // namespace orvandel::desktop
