#include "ReservedBands.h"
#include "X11Connection.h"
#include "platform/ScreenArea.h"

#include <QScreen>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <vector>

namespace orvandel::platform {

namespace {

struct FreeReply {
    void operator()(void* reply) const { std::free(reply); }
};
template <typename Answer> using Reply = std::unique_ptr<Answer, FreeReply>;

Reply<xcb_get_property_reply_t> cardinals(xcb_connection_t* connection,
                                          xcb_get_property_cookie_t cookie) {
    Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(connection, cookie, nullptr));
    if (reply && reply->format != 32)
        reply.reset();
    return reply;
}

std::span<const std::uint32_t> values(const Reply<xcb_get_property_reply_t>& reply) {
    if (!reply)
        return {};
    return {static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get())),
            static_cast<std::size_t>(xcb_get_property_value_length(reply.get()) / 4)};
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
    const auto clients = cardinals(connection, clientsCookie);
    for (const std::uint32_t client : values(clients))
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
        const auto partial = cardinals(connection, question.partial);
        const auto whole = cardinals(connection, question.whole);
        if (!attributes || attributes->map_state != XCB_MAP_STATE_VIEWABLE)
            continue;
        appendReservedBands(partial ? values(partial) : values(whole), rootSize, bands);
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

} // namespace orvandel::platform
