#include "PcmanfmQtWindows.h"

#include "desktop/linux/X11Connection.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace orvandel::desktop {

namespace {

template <typename Answer> using Reply = X11Reply<Answer>;

Reply<xcb_get_property_reply_t> property(xcb_connection_t* connection, xcb_window_t window,
                                         xcb_atom_t name, xcb_atom_t type) {
    return Reply<xcb_get_property_reply_t>(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, name, type, 0, 4096), nullptr));
}

// The clients a window manager lists (minimised ones included), or without one the windows
// shown on the root.
std::vector<xcb_window_t> topLevelWindows(xcb_connection_t* connection, xcb_window_t root) {
    const auto clients =
        property(connection, root, x11Atom(connection, "_NET_CLIENT_LIST"), XCB_ATOM_WINDOW);
    if (!x11Values32(clients.get()).empty())
        return {x11Values32(clients.get()).begin(), x11Values32(clients.get()).end()};
    std::vector<xcb_window_t> shown;
    const Reply<xcb_query_tree_reply_t> tree(
        xcb_query_tree_reply(connection, xcb_query_tree(connection, root), nullptr));
    if (!tree)
        return shown;
    const xcb_window_t* children = xcb_query_tree_children(tree.get());
    for (int child = 0; child < xcb_query_tree_children_length(tree.get()); ++child) {
        const Reply<xcb_get_window_attributes_reply_t> attributes(xcb_get_window_attributes_reply(
            connection, xcb_get_window_attributes(connection, children[child]), nullptr));
        if (attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE)
            shown.push_back(children[child]);
    }
    return shown;
}

// WM_CLASS holds the instance and the class, each ended by a zero byte.
bool isPcmanfmQt(xcb_connection_t* connection, xcb_window_t window) {
    const auto windowClass = property(connection, window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING);
    if (!windowClass || windowClass->format != 8)
        return false;
    const QByteArray names(static_cast<const char*>(xcb_get_property_value(windowClass.get())),
                           xcb_get_property_value_length(windowClass.get()));
    return names.split('\0').contains("pcmanfm-qt");
}

} // namespace

std::optional<PcmanfmQtWindows> pcmanfmQtWindows() {
    xcb_connection_t* connection = x11Connection();
    if (!connection)
        return std::nullopt;
    const xcb_atom_t windowType = x11Atom(connection, "_NET_WM_WINDOW_TYPE");
    const xcb_atom_t desktopType = x11Atom(connection, "_NET_WM_WINDOW_TYPE_DESKTOP");
    const xcb_atom_t processId = x11Atom(connection, "_NET_WM_PID");
    PcmanfmQtWindows found;
    for (const xcb_window_t window : topLevelWindows(connection, x11RootWindow(connection))) {
        if (!isPcmanfmQt(connection, window))
            continue;
        const auto types = property(connection, window, windowType, XCB_ATOM_ATOM);
        const auto typeList = x11Values32(types.get());
        if (std::find(typeList.begin(), typeList.end(), desktopType) == typeList.end()) {
            found.otherWindowsOpen = true;
            continue;
        }
        const auto owner = property(connection, window, processId, XCB_ATOM_CARDINAL);
        for (const std::uint32_t process : x11Values32(owner.get()))
            if (!found.desktopProcesses.contains(process))
                found.desktopProcesses.append(process);
    }
    return found;
}

} // namespace orvandel::desktop
