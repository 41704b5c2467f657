#include "X11Connection.h"

#include <QGuiApplication>

#include <cstdlib>
#include <cstring>

namespace orvandel::desktop {

xcb_connection_t* x11Connection() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

xcb_window_t x11RootWindow(xcb_connection_t* connection) {
    return xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
}

xcb_atom_t x11Atom(xcb_connection_t* connection, const char* name) {
    const auto cookie =
        xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return atom;
}

QByteArray x11AtomName(xcb_connection_t* connection, xcb_atom_t atom) {
    xcb_get_atom_name_reply_t* reply =
        xcb_get_atom_name_reply(connection, xcb_get_atom_name(connection, atom), nullptr);
    if (!reply)
        return {};
    QByteArray name(xcb_get_atom_name_name(reply), xcb_get_atom_name_name_length(reply));
    std::free(reply);
    return name;
}

std::span<const std::uint32_t> x11Values32(const xcb_get_property_reply_t* reply) {
    if (!reply || reply->format != 32)
        return {};
    return {static_cast<const std::uint32_t*>(xcb_get_property_value(reply)),
            static_cast<std::size_t>(xcb_get_property_value_length(reply) / 4)};
}

} // namespace orvandel::desktop
