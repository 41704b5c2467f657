#pragma once

#include <QByteArray>

#include <xcb/xcb.h>

namespace orvandel::platform {

// The toolkit's own X11 connection, or null when the program does not run on X11.
xcb_connection_t* x11Connection();
xcb_window_t x11RootWindow(xcb_connection_t* connection);
xcb_atom_t x11Atom(xcb_connection_t* connection, const char* name);
QByteArray x11AtomName(xcb_connection_t* connection, xcb_atom_t atom);

} // namespace orvandel::platform
