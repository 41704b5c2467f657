#include "TestFolder.h"
#include "common/Error.h"
#include "desktop/linux/X11Connection.h"
#include "imaging/Stretch.h"
#include "logic/wallpaper/ApplyWallPaper.h"

#include <QBuffer>
#include <QImage>

#include <gtest/gtest.h>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

namespace {

struct FreeReply {
    void operator()(void* reply) const { std::free(reply); }
};
template <typename Answer> using Reply = std::unique_ptr<Answer, FreeReply>;

// Our own look at the display, as another program on the desktop would have.
class Display {
public:
    Display()
        : connection(xcb_connect(nullptr, nullptr)) {
        screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    }
    ~Display() { xcb_disconnect(connection); }

    xcb_atom_t atom(const char* name) const { return orvandel::desktop::x11Atom(connection, name); }

    // The pixmap a root property names, 0 when there is none of type PIXMAP.
    xcb_pixmap_t pixmapIn(const char* property) const {
        Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
            connection,
            xcb_get_property(connection, 0, screen->root, atom(property), XCB_ATOM_PIXMAP, 0, 1),
            nullptr));
        if (!reply || reply->type != XCB_ATOM_PIXMAP ||
            xcb_get_property_value_length(reply.get()) != 4)
            return 0;
        return *static_cast<xcb_pixmap_t*>(xcb_get_property_value(reply.get()));
    }

    bool exists(xcb_drawable_t drawable) const {
        Reply<xcb_get_geometry_reply_t> reply(
            xcb_get_geometry_reply(connection, xcb_get_geometry(connection, drawable), nullptr));
        return reply != nullptr;
    }

    QSize rootSize() const { return {screen->width_in_pixels, screen->height_in_pixels}; }

    QImage rootPixels() const {
        const QSize size = rootSize();
        Reply<xcb_get_image_reply_t> reply(
            xcb_get_image_reply(connection,
                                xcb_get_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, screen->root,
                                              0, 0, size.width(), size.height(), ~0u),
                                nullptr));
        if (!reply)
            return {};
        const QImage view(xcb_get_image_data(reply.get()), size.width(), size.height(),
                          size.width() * 4, QImage::Format_RGB32);
        return view.copy();
    }

    // Names a pixmap of ours in _XROOTPMAP_ID alone, as a program that keeps its own would.
    xcb_pixmap_t nameOwnPixmapOnly() {
        const xcb_pixmap_t pixmap = xcb_generate_id(connection);
        xcb_create_pixmap(connection, screen->root_depth, pixmap, screen->root, 16, 16);
        xcb_change_property(connection, XCB_PROP_MODE_REPLACE, screen->root, atom("_XROOTPMAP_ID"),
                            XCB_ATOM_PIXMAP, 32, 1, &pixmap);
        xcb_delete_property(connection, screen->root, atom("ESETROOT_PMAP_ID"));
        std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
        return pixmap;
    }

    // Names in both properties the first id of a connection that then ends: the server gives
    // its range to the next connection.
    void nameIdOfTheNextConnection() {
        xcb_connection_t* other = xcb_connect(nullptr, nullptr);
        const std::uint32_t id = xcb_get_setup(other)->resource_id_base;
        xcb_disconnect(other);
        for (const char* property : {"_XROOTPMAP_ID", "ESETROOT_PMAP_ID"})
            xcb_change_property(connection, XCB_PROP_MODE_REPLACE, screen->root, atom(property),
                                XCB_ATOM_PIXMAP, 32, 1, &id);
        std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
    }

private:
    xcb_connection_t* connection;
    xcb_screen_t* screen;
};

// Every pixel its own colour, of another aspect than the screens', so a shift or a wrong
// scale shows.
QImage numberedPicture() {
    QImage picture(200, 150, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, qRgb(x, y, (x * 3 + y * 5) % 256));
    return picture;
}

QImage expectedScreen(const QImage& picture, QSize screen, int style) {
    if (style == 2)
        return orvandel::imaging::stretchPicture(picture, screen)
            .convertToFormat(QImage::Format_RGB32);
    QImage expected(screen, QImage::Format_RGB32);
    expected.fill(Qt::black);
    const int left = (screen.width() - picture.width()) / 2;
    const int top = (screen.height() - picture.height()) / 2;
    for (int y = 0; y < screen.height(); ++y)
        for (int x = 0; x < screen.width(); ++x) {
            if (style == 1)
                expected.setPixel(x, y, picture.pixel(x % picture.width(), y % picture.height()));
            else if (QRect(left, top, picture.width(), picture.height()).contains(x, y))
                expected.setPixel(x, y, picture.pixel(x - left, y - top));
        }
    return expected;
}

int largestDifference(const QImage& actual, const QImage& expected) {
    int largest = 0;
    for (int y = 0; y < actual.height(); ++y) {
        const auto* a = reinterpret_cast<const QRgb*>(actual.constScanLine(y));
        const auto* e = reinterpret_cast<const QRgb*>(expected.constScanLine(y));
        for (int x = 0; x < actual.width(); ++x)
            largest = std::max({largest, std::abs(qRed(a[x]) - qRed(e[x])),
                                std::abs(qGreen(a[x]) - qGreen(e[x])),
                                std::abs(qBlue(a[x]) - qBlue(e[x]))});
    }
    return largest;
}

class X11WallpaperTest : public ::testing::Test {
protected:
    QString writePng(const QString& name, const QImage& picture) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        picture.save(&buffer, "PNG");
        return folder.write(name, bytes);
    }

    TestFolder folder;
    Display display;
};

class X11WallpaperStyleTest : public X11WallpaperTest, public ::testing::WithParamInterface<int> {};

TEST_P(X11WallpaperStyleTest, RootShowsThePictureAsAskedAndBothPropertiesNameIt) {
    const QImage picture = numberedPicture();
    orvandel::Utils::ApplyWallPaper(writePng(QStringLiteral("image été.png"), picture), GetParam());

    const xcb_pixmap_t pixmap = display.pixmapIn("_XROOTPMAP_ID");
    EXPECT_NE(pixmap, 0u);
    EXPECT_EQ(display.pixmapIn("ESETROOT_PMAP_ID"), pixmap);
    const QImage root = display.rootPixels();
    ASSERT_EQ(root.size(), display.rootSize());
    // Two resamplers may round apart, most at the seams where the blue channel wraps.
    const int tolerance = GetParam() == 2 ? 8 : 0;
    EXPECT_LE(largestDifference(root, expectedScreen(picture, root.size(), GetParam())), tolerance);
}

INSTANTIATE_TEST_SUITE_P(Styles, X11WallpaperStyleTest, ::testing::Values(0, 1, 2));

TEST_F(X11WallpaperTest, ApplyingAgainFreesTheFirstPixmap) {
    const QString path = writePng(QStringLiteral("a.png"), numberedPicture());
    orvandel::Utils::ApplyWallPaper(path, 0);
    const xcb_pixmap_t first = display.pixmapIn("_XROOTPMAP_ID");
    orvandel::Utils::ApplyWallPaper(path, 1);
    const xcb_pixmap_t second = display.pixmapIn("_XROOTPMAP_ID");
    EXPECT_NE(second, first);
    EXPECT_FALSE(display.exists(first));
    EXPECT_TRUE(display.exists(second));
}

// A program that names its pixmap only in _XROOTPMAP_ID may still be using it.
TEST_F(X11WallpaperTest, PixmapOfAnotherProgramNamedInOnePropertyIsNotFreed) {
    const xcb_pixmap_t theirs = display.nameOwnPixmapOnly();
    orvandel::Utils::ApplyWallPaper(writePng(QStringLiteral("a.png"), numberedPicture()), 2);
    EXPECT_TRUE(display.exists(theirs));
    EXPECT_NE(display.pixmapIn("_XROOTPMAP_ID"), theirs);
}

// A setter that ended before retaining its pixmap leaves names of a pixmap that is gone, in the
// range of ids the server hands to the next connection, ours.
TEST_F(X11WallpaperTest, NamesLeftByASetterThatEndedEarlyDoNotStopTheChange) {
    display.nameIdOfTheNextConnection();
    const QImage picture = numberedPicture();
    orvandel::Utils::ApplyWallPaper(writePng(QStringLiteral("a.png"), picture), 1);
    const QImage root = display.rootPixels();
    EXPECT_EQ(largestDifference(root, expectedScreen(picture, root.size(), 1)), 0);
}

TEST_F(X11WallpaperTest, DamagedPictureRaisesAndLeavesTheOldBackground) {
    orvandel::Utils::ApplyWallPaper(writePng(QStringLiteral("good.png"), numberedPicture()), 1);
    const xcb_pixmap_t before = display.pixmapIn("_XROOTPMAP_ID");
    const QImage rootBefore = display.rootPixels();

    QByteArray damaged = folder.read(QStringLiteral("good.png"));
    damaged.truncate(damaged.size() / 2);
    const QString path = folder.write(QStringLiteral("damaged.png"), damaged);
    EXPECT_THROW(orvandel::Utils::ApplyWallPaper(path, 1), orvandel::Error);

    EXPECT_EQ(display.pixmapIn("_XROOTPMAP_ID"), before);
    EXPECT_EQ(display.pixmapIn("ESETROOT_PMAP_ID"), before);
    EXPECT_TRUE(display.exists(before));
    EXPECT_EQ(display.rootPixels(), rootBefore);
}

// A picture from an old archive, its name in Windows-1252, is read by its own bytes.
TEST_F(X11WallpaperTest, APictureWhoseNameIsNotUtf8IsDrawn) {
    const QImage picture = numberedPicture();
    writePng(QStringLiteral("source.png"), picture);
    orvandel::Utils::ApplyWallPaper(
        folder.writeNative("caf\xe9.png", folder.read(QStringLiteral("source.png"))), 1);
    const QImage root = display.rootPixels();
    EXPECT_EQ(largestDifference(root, expectedScreen(picture, root.size(), 1)), 0);
}

} // namespace
