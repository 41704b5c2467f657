#include "ReservedBands.h"
#include "X11Connection.h"
#include "desktop/ScreenArea.h"

#include <QScreen>

#include <algorithm>
#include <vector>

namespace orvandel::desktop {

namespace {

template <typename Answer> using Reply = X11Reply<Answer>;

Reply<xcb_get_property_reply_t> propertyReply(xcb_connection_t* connection,
                                              xcb_get_property_cookie_t cookie) {
    return Reply<xcb_get_property_reply_t>(xcb_get_property_reply(connection, cookie, nullptr));
}

// The top-level windows: the root's children, and the clients a reparenting window manager lists.
std::vector<xcb_window_t> topLevelWindows(xcb_connection_t* connection, xcb_window_t root) {
    const auto clientsCookie = xcb_get_property(
        connection, 0, root, x11Atom(connection, "_NET_CLIENT_LIST"), XCB_ATOM_WINDOW, 0, 4096);
    const Reply<xcb_query_tree_reply_t> tree(
        xcb_query_tree_reply(connection, xcb_query_tree(connection, root), nullptr));
    std::vector<xcb_window_t> windows;
    if (tree) {
        const xcb_window_t* children = xcb_query_tree_children(tree.get());
        windows.assign(children, children + xcb_query_tree_children_length(tree.get()));
    }
    const auto clients = propertyReply(connection, clientsCookie);
    for (const std::uint32_t client : x11Values32(clients.get()))
        windows.push_back(client);
    std::sort(windows.begin(), windows.end());
    windows.erase(std::unique(windows.begin(), windows.end()), windows.end());
    return windows;
}

// The bands that the shown panels and docks keep; every request is sent before any answer is read.
std::vector<ReservedBand> reservedBands(xcb_connection_t* connection, xcb_window_t root,
                                        QSize rootSize) {
    const std::vector<xcb_window_t> windows = topLevelWindows(connection, root);
    const xcb_atom_t partialStrut = x11Atom(connection, "_NET_WM_STRUT_PARTIAL");
    const xcb_atom_t strut = x11Atom(connection, "_NET_WM_STRUT");
    struct Asked {
        xcb_get_window_attributes_cookie_t attributes;
        xcb_get_property_cookie_t partial;
        xcb_get_property_cookie_t whole;
    };
    std::vector<Asked> asked;
    asked.reserve(windows.size());
    for (const xcb_window_t window : windows)
        asked.push_back(
            {xcb_get_window_attributes(connection, window),
             xcb_get_property(connection, 0, window, partialStrut, XCB_ATOM_CARDINAL, 0, 12),
             xcb_get_property(connection, 0, window, strut, XCB_ATOM_CARDINAL, 0, 4)});
    std::vector<ReservedBand> bands;
    for (const Asked& question : asked) {
        const Reply<xcb_get_window_attributes_reply_t> attributes(
            xcb_get_window_attributes_reply(connection, question.attributes, nullptr));
        const auto partial = propertyReply(connection, question.partial);
        const auto whole = propertyReply(connection, question.whole);
        if (!attributes || attributes->map_state != XCB_MAP_STATE_VIEWABLE)
            continue;
        const std::span<const std::uint32_t> partialBands = x11Values32(partial.get());
        appendReservedBands(partialBands.empty() ? x11Values32(whole.get()) : partialBands,
                            rootSize, bands);
    }
    return bands;
}

} // namespace

QRect availableArea(const QScreen& screen) {
    // The toolkit's own answer already holds the work area a window manager publishes.
    const QRect published = screen.availableGeometry();
    xcb_connection_t* connection = x11Connection();
    if (!connection)
        return published;
    const xcb_screen_t* root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    const QSize rootSize(root->width_in_pixels, root->height_in_pixels);
    // X11 counts device pixels; the toolkit keeps a screen's corner and scales what lies inside.
    const QRect whole = screen.geometry();
    const qreal ratio = screen.devicePixelRatio();
    const QRect native(whole.topLeft(), (QSizeF(whole.size()) * ratio).toSize());
    const QRect left =
        areaLeftByBands(native, rootSize, reservedBands(connection, root->root, rootSize));
    const QRect scaled(whole.topLeft() + (left.topLeft() - whole.topLeft()) / ratio,
                       (QSizeF(left.size()) / ratio).toSize());
    const QRect area = scaled.intersected(published);
    return area.isEmpty() ? published : area;
}

} // namespace orvandel::desktop
