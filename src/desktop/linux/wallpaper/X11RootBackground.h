#pragma once

#include <QImage>
#include <QSize>

#include <cstdint>

struct xcb_connection_t;
struct xcb_screen_t;

namespace orvandel::desktop {

// A connection of our own to the X display's default screen, to set its root background the way
// well-behaved setters do, so desktop programs that read the background find it.
class X11RootBackground {
public:
    // Throws orvandel::Error when the display cannot be opened.
    X11RootBackground();
    ~X11RootBackground();

    X11RootBackground(const X11RootBackground&) = delete;
    X11RootBackground& operator=(const X11RootBackground&) = delete;

    // The root window's size in device pixels.
    QSize rootSize() const;

    // Puts `picture` (rootSize(), QImage::Format_RGB32) into a new pixmap of the root's depth,
    // names it in _XROOTPMAP_ID and ESETROOT_PMAP_ID, makes it the root's background and keeps it
    // after the connection closes. The previous setter's pixmap is freed only when both
    // properties name it, the sign that its owner kept it for the background alone.
    void show(const QImage& picture);

private:
    std::uint32_t uploadPixmap(const QImage& picture);
    void freePreviousPixmap(std::uint32_t rootPixmapAtom, std::uint32_t setRootAtom);
    void checkNoError();

    xcb_connection_t* connection = nullptr;
    xcb_screen_t* screen = nullptr;
};

} // namespace orvandel::desktop
