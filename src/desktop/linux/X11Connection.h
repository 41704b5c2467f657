#pragma once

#include <QByteArray>

#include <xcb/xcb.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <span>

namespace orvandel::desktop {

// The toolkit's own X11 connection, or null when the program does not run on X11.
xcb_connection_t* x11Connection();
xcb_window_t x11RootWindow(xcb_connection_t* connection);
xcb_atom_t x11Atom(xcb_connection_t* connection, const char* name);
QByteArray x11AtomName(xcb_connection_t* connection, xcb_atom_t atom);

// The server's answers are the caller's to free.
struct FreeX11Reply {
    void operator()(void* reply) const { std::free(reply); }
};
template <typename Answer> using X11Reply = std::unique_ptr<Answer, FreeX11Reply>;

// The 32-bit values a property holds (cardinals, atoms, windows); none when there is no answer
// or it holds values of another size.
std::span<const std::uint32_t> x11Values32(const xcb_get_property_reply_t* reply);

} // namespace orvandel::desktop
