#pragma once

#include <cstdint>

namespace orvandel::desktop {

// A window message as the program's handlers see it.
struct TMessage {
    std::uint32_t Msg = 0;
    std::uintptr_t WParam = 0;
    std::intptr_t LParam = 0;
    std::intptr_t Result = 0;
};

// Something that receives window messages; a pointer to it stands for a window handle.
class MessageWindow {
public:
    virtual ~MessageWindow() = default;

    virtual void Dispatch(TMessage& Message) = 0;
};

// Message numbers the program relies on, with the values its callers know them by.
namespace WindowMessages {
inline constexpr std::uint32_t WM_WINDOWPOSCHANGING = 0x0046;
inline constexpr std::uint32_t WM_MOUSEMOVE = 0x0200;
inline constexpr std::uint32_t WM_LBUTTONDOWN = 0x0201;
inline constexpr std::uint32_t WM_LBUTTONUP = 0x0202;
inline constexpr std::uint32_t WM_LBUTTONDBLCLK = 0x0203;
inline constexpr std::uint32_t WM_RBUTTONDOWN = 0x0204;
inline constexpr std::uint32_t WM_RBUTTONUP = 0x0205;
inline constexpr std::uint32_t WM_RBUTTONDBLCLK = 0x0206;
inline constexpr std::uint32_t WM_MBUTTONDOWN = 0x0207;
inline constexpr std::uint32_t WM_MBUTTONUP = 0x0208;
inline constexpr std::uint32_t WM_USER = 0x0400;
} // namespace WindowMessages

} // namespace orvandel::desktop
