#include "X11RootBackground.h"

#include "common/Error.h"
#include "common/Messages.h"
#include "desktop/linux/X11Connection.h"

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace orvandel::desktop {

namespace {

// How the server wants the pixels of one depth.
struct PixelLayout {
    int bitsPerPixel = 0;
    bool mostSignificantByteFirst = false;
};

PixelLayout pixelLayout(xcb_connection_t* connection, std::uint8_t depth) {
    const xcb_setup_t* setup = xcb_get_setup(connection);
    PixelLayout layout;
    layout.mostSignificantByteFirst = setup->image_byte_order == XCB_IMAGE_ORDER_MSB_FIRST;
    for (auto formats = xcb_setup_pixmap_formats_iterator(setup); formats.rem;
         xcb_format_next(&formats)) {
        if (formats.data->depth == depth)
            layout.bitsPerPixel = formats.data->bits_per_pixel;
    }
    return layout;
}

// One band of rows in the server's pixel form. RGB32 in memory is already the usual 32-bit
// TrueColor layout on a little-endian machine.
void convertRows(const QImage& picture, int firstRow, int rowCount, const PixelLayout& layout,
                 std::vector<std::uint8_t>& band) {
    const int width = picture.width();
    const int bytesPerPixel = layout.bitsPerPixel / 8;
    band.resize(static_cast<std::size_t>(width) * bytesPerPixel * rowCount);
    std::uint8_t* out = band.data();
    for (int y = firstRow; y < firstRow + rowCount; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            std::uint32_t pixel = row[x] & 0xFFFFFFu;
            if (bytesPerPixel == 2)
                pixel = ((qRed(row[x]) >> 3) << 11) | ((qGreen(row[x]) >> 2) << 5) |
                        (qBlue(row[x]) >> 3);
            for (int byte = 0; byte < bytesPerPixel; ++byte) {
                const int shift =
                    layout.mostSignificantByteFirst ? 8 * (bytesPerPixel - 1 - byte) : 8 * byte;
                *out++ = static_cast<std::uint8_t>(pixel >> shift);
            }
        }
    }
}

std::uint32_t internAtom(xcb_connection_t* connection, const char* name) {
    X11Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
        connection,
        xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name),
        nullptr));
    if (!reply)
        throw Error(formatMessage(QStringLiteral("Le serveur X n'a pas répondu (atome %s)."),
                                  {QString::fromLatin1(name)}));
    return reply->atom;
}

// The pixmap a root property names, or 0.
std::uint32_t pixmapProperty(xcb_connection_t* connection, xcb_window_t root, std::uint32_t atom) {
    X11Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, root, atom, XCB_ATOM_PIXMAP, 0, 1), nullptr));
    if (!reply || reply->type != XCB_ATOM_PIXMAP || reply->format != 32 ||
        xcb_get_property_value_length(reply.get()) != 4)
        return 0;
    std::uint32_t pixmap = 0;
    std::memcpy(&pixmap, xcb_get_property_value(reply.get()), sizeof pixmap);
    return pixmap;
}

} // namespace

X11RootBackground::X11RootBackground() {
    int screenNumber = 0;
    connection = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(connection)) {
        xcb_disconnect(connection);
        connection = nullptr;
        throw Error(formatMessage(QStringLiteral("Impossible d'ouvrir l'affichage X11 « %s »."),
                                  {qEnvironmentVariable("DISPLAY")}));
    }
    auto screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int skipped = 0; skipped < screenNumber && screens.rem; ++skipped)
        xcb_screen_next(&screens);
    screen = screens.data;
}

X11RootBackground::~X11RootBackground() {
    if (connection)
        xcb_disconnect(connection);
}

QSize X11RootBackground::rootSize() const {
    return {screen->width_in_pixels, screen->height_in_pixels};
}

void X11RootBackground::show(const QImage& picture) {
    const std::uint32_t pixmap = uploadPixmap(picture);
    const std::uint32_t rootPixmapAtom = internAtom(connection, "_XROOTPMAP_ID");
    const std::uint32_t setRootAtom = internAtom(connection, "ESETROOT_PMAP_ID");
    const xcb_window_t root = screen->root;

    // No other setter may slip in between reading the old pixmap and naming ours.
    xcb_grab_server(connection);
    freePreviousPixmap(rootPixmapAtom, setRootAtom);
    for (const std::uint32_t atom : {rootPixmapAtom, setRootAtom})
        xcb_change_property(connection, XCB_PROP_MODE_REPLACE, root, atom, XCB_ATOM_PIXMAP, 32, 1,
                            &pixmap);
    xcb_change_window_attributes(connection, root, XCB_CW_BACK_PIXMAP, &pixmap);
    xcb_clear_area(connection, 0, root, 0, 0, 0, 0);
    xcb_ungrab_server(connection);
    // The pixmap must outlive this connection: it is the background now.
    xcb_set_close_down_mode(connection, XCB_CLOSE_DOWN_RETAIN_PERMANENT);
    checkNoError();
}

std::uint32_t X11RootBackground::uploadPixmap(const QImage& picture) {
    const std::uint8_t depth = screen->root_depth;
    const PixelLayout layout = pixelLayout(connection, depth);
    if (layout.bitsPerPixel != 32 && layout.bitsPerPixel != 16)
        throw Error(formatMessage(
            QStringLiteral("Affichage X11 de profondeur %d non pris en charge."), {depth}));

    const xcb_pixmap_t pixmap = xcb_generate_id(connection);
    xcb_create_pixmap(connection, depth, pixmap, screen->root,
                      static_cast<std::uint16_t>(picture.width()),
                      static_cast<std::uint16_t>(picture.height()));
    const xcb_gcontext_t context = xcb_generate_id(connection);
    xcb_create_gc(connection, context, pixmap, 0, nullptr);

    // Bands that fit in one request, sent straight from the picture when no conversion is needed.
    const auto rowBytes = static_cast<std::size_t>(picture.width()) * (layout.bitsPerPixel / 8);
    const std::size_t requestBytes = std::size_t{xcb_get_maximum_request_length(connection)} * 4;
    const int rowsPerBand =
        std::max(1, static_cast<int>(std::min<std::size_t>((requestBytes - 64) / rowBytes, 256)));
    const bool direct = layout.bitsPerPixel == 32 && !layout.mostSignificantByteFirst &&
                        Q_BYTE_ORDER == Q_LITTLE_ENDIAN &&
                        static_cast<std::size_t>(picture.bytesPerLine()) == rowBytes;
    std::vector<std::uint8_t> band;
    for (int y = 0; y < picture.height(); y += rowsPerBand) {
        const int rows = std::min(rowsPerBand, picture.height() - y);
        const std::uint8_t* data = picture.constScanLine(y);
        if (!direct) {
            convertRows(picture, y, rows, layout, band);
            data = band.data();
        }
        xcb_put_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, pixmap, context,
                      static_cast<std::uint16_t>(picture.width()), static_cast<std::uint16_t>(rows),
                      0, static_cast<std::int16_t>(y), 0, depth,
                      static_cast<std::uint32_t>(rowBytes * rows), data);
    }
    xcb_free_gc(connection, context);
    checkNoError();
    return pixmap;
}

void X11RootBackground::freePreviousPixmap(std::uint32_t rootPixmapAtom,
                                           std::uint32_t setRootAtom) {
    const xcb_window_t root = screen->root;
    const std::uint32_t named = pixmapProperty(connection, root, rootPixmapAtom);
    if (named == 0 || named != pixmapProperty(connection, root, setRootAtom))
        return;
    // A setter that ended before retaining its pixmap leaves a name whose id may now be in the
    // range of this very connection: killing its owner would end this connection.
    const xcb_setup_t* setup = xcb_get_setup(connection);
    if ((named & ~setup->resource_id_mask) == setup->resource_id_base)
        return;
    // A pixmap already gone is no error of ours.
    std::free(xcb_request_check(connection, xcb_kill_client_checked(connection, named)));
}

// Requests are sent without waiting; one round trip then brings back any error they caused.
void X11RootBackground::checkNoError() {
    X11Reply<xcb_get_input_focus_reply_t> reply(
        xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
    X11Reply<xcb_generic_event_t> event;
    while (event.reset(xcb_poll_for_event(connection)), event) {
        if (event->response_type == 0)
            throw Error(
                formatMessage(QStringLiteral("Le serveur X a refusé le fond d'écran (erreur %d)."),
                              {reinterpret_cast<xcb_generic_error_t*>(event.get())->error_code}));
    }
    if (!reply || xcb_connection_has_error(connection))
        throw Error(QStringLiteral("La connexion au serveur X a été perdue."));
}

} // namespace orvandel::desktop
