#include "DesktopScreen.h"

#include "RunningProgram.h"

#include <QPainter>
#include <QThread>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace screen {

namespace {

struct FreeReply {
    void operator()(void* reply) const { std::free(reply); }
};
template <typename Answer> using Reply = std::unique_ptr<Answer, FreeReply>;

struct Connection {
    Connection()
        : connection(xcb_connect(nullptr, nullptr))
        , screen(xcb_setup_roots_iterator(xcb_get_setup(connection)).data) {}
    ~Connection() { xcb_disconnect(connection); }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    xcb_connection_t* connection;
    xcb_screen_t* screen;
};

QString xdotool(const QStringList& arguments) {
    return run(QStringLiteral("xdotool"), arguments);
}

QString windowReport(const QString& window) {
    return run(QStringLiteral("xwininfo"), {QStringLiteral("-id"), window});
}

int reportNumber(const QString& report, const QString& label) {
    const qsizetype at = report.indexOf(label);
    return at < 0 ? 0 : report.mid(at + label.size()).trimmed().section(u'\n', 0, 0).toInt();
}

// The docked icon: a window of the program among the tray host's descendants.
std::optional<QString> trayIconWindow() {
    const QStringList hosts =
        xdotool({QStringLiteral("search"), QStringLiteral("--class"), QStringLiteral("trayer")})
            .split(u'\n', Qt::SkipEmptyParts);
    for (const QString& host : hosts) {
        const QString tree =
            run(QStringLiteral("xwininfo"), {QStringLiteral("-tree"), QStringLiteral("-id"), host});
        for (const QString& line : tree.split(u'\n')) {
            if (line.contains(QStringLiteral("(\"orvandel\"")))
                return line.trimmed().section(u' ', 0, 0);
        }
    }
    return std::nullopt;
}

std::optional<QPoint> trayIconCentre() {
    const std::optional<QString> icon = trayIconWindow();
    if (!icon)
        return std::nullopt;
    const QString report = windowReport(*icon);
    if (!report.contains(QStringLiteral("Map State: IsViewable")))
        return std::nullopt;
    return QRect(reportNumber(report, QStringLiteral("Absolute upper-left X:")),
                 reportNumber(report, QStringLiteral("Absolute upper-left Y:")),
                 reportNumber(report, QStringLiteral("Width:")),
                 reportNumber(report, QStringLiteral("Height:")))
        .center();
}

} // namespace

QImage screenPixels() {
    const Connection x;
    const int width = x.screen->width_in_pixels;
    const int height = x.screen->height_in_pixels;
    const Reply<xcb_get_image_reply_t> reply(xcb_get_image_reply(
        x.connection,
        xcb_get_image(x.connection, XCB_IMAGE_FORMAT_Z_PIXMAP, x.screen->root, 0, 0,
                      static_cast<std::uint16_t>(width), static_cast<std::uint16_t>(height), ~0u),
        nullptr));
    if (!reply)
        return {};
    return QImage(xcb_get_image_data(reply.get()), width, height, width * 4, QImage::Format_RGB32)
        .copy();
}

std::uint32_t backgroundPixmap() {
    const Connection x;
    const char* name = "_XROOTPMAP_ID";
    const Reply<xcb_intern_atom_reply_t> atom(xcb_intern_atom_reply(
        x.connection,
        xcb_intern_atom(x.connection, 1, static_cast<std::uint16_t>(std::strlen(name)), name),
        nullptr));
    if (!atom || atom->atom == XCB_ATOM_NONE)
        return 0;
    const Reply<xcb_get_property_reply_t> property(xcb_get_property_reply(
        x.connection,
        xcb_get_property(x.connection, 0, x.screen->root, atom->atom, XCB_ATOM_PIXMAP, 0, 1),
        nullptr));
    if (!property || xcb_get_property_value_length(property.get()) != 4)
        return 0;
    return *static_cast<const std::uint32_t*>(xcb_get_property_value(property.get()));
}

QRect windowGeometry(unsigned long window) {
    const QString report = windowReport(QString::number(window));
    return {reportNumber(report, QStringLiteral("Absolute upper-left X:")),
            reportNumber(report, QStringLiteral("Absolute upper-left Y:")),
            reportNumber(report, QStringLiteral("Width:")),
            reportNumber(report, QStringLiteral("Height:"))};
}

QSize fixedSize(unsigned long window) {
    // WM_SIZE_HINTS: flags, four obsolete values, then the minimum and maximum sizes.
    constexpr std::uint32_t MinimumSize = 16;
    constexpr std::uint32_t MaximumSize = 32;
    const Connection x;
    const Reply<xcb_get_property_reply_t> hints(xcb_get_property_reply(
        x.connection,
        xcb_get_property(x.connection, 0, static_cast<xcb_window_t>(window),
                         XCB_ATOM_WM_NORMAL_HINTS, XCB_ATOM_WM_SIZE_HINTS, 0, 18),
        nullptr));
    if (!hints || hints->format != 32 || xcb_get_property_value_length(hints.get()) < 9 * 4)
        return {};
    const auto* values = static_cast<const std::uint32_t*>(xcb_get_property_value(hints.get()));
    const QSize minimum(static_cast<int>(values[5]), static_cast<int>(values[6]));
    const QSize maximum(static_cast<int>(values[7]), static_cast<int>(values[8]));
    const bool both = (values[0] & MinimumSize) && (values[0] & MaximumSize);
    return both && minimum == maximum ? minimum : QSize();
}

unsigned long waitForWindow(QSize size, int milliseconds) {
    unsigned long found = 0;
    waitUntil(
        [&] {
            for (const QString& window : programWindows()) {
                if (windowGeometry(window.toULong()).size() == size) {
                    found = window.toULong();
                    return true;
                }
            }
            return false;
        },
        milliseconds);
    return found;
}

QStringList programWindows() {
    return xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                    QStringLiteral("--classname"), QStringLiteral("orvandel")})
        .split(u'\n', Qt::SkipEmptyParts);
}

unsigned long waitForNewWindow(const QStringList& known, int milliseconds) {
    unsigned long found = 0;
    waitUntil(
        [&] {
            for (const QString& window : programWindows()) {
                if (!known.contains(window)) {
                    found = window.toULong();
                    return true;
                }
            }
            return false;
        },
        milliseconds);
    return found;
}

bool waitUntilPainted(unsigned long window, int milliseconds) {
    QImage before;
    return waitUntil(
        [&] {
            const QRect area = windowGeometry(window);
            const QImage now = screenPixels().copy(area);
            const bool drawn =
                !now.isNull() && now.pixel(now.width() / 2, now.height() / 2) != qRgb(0, 0, 0);
            const bool still = drawn && now == before;
            before = now;
            return still;
        },
        milliseconds);
}

bool waitForWindowGone(unsigned long window, int milliseconds) {
    return waitUntil(
        [&] {
            return !windowReport(QString::number(window))
                        .contains(QStringLiteral("Map State: IsViewable"));
        },
        milliseconds);
}

// The tray host moves an icon after docking it: it is settled once it stays put.
std::optional<QPoint> waitForTrayIcon(int milliseconds) {
    std::optional<QPoint> settled;
    waitUntil(
        [&] {
            const std::optional<QPoint> before = trayIconCentre();
            if (!before)
                return false;
            QThread::msleep(300);
            if (trayIconCentre() != before)
                return false;
            settled = before;
            return true;
        },
        milliseconds);
    return settled;
}

unsigned long focusedWindow() {
    return xdotool({QStringLiteral("getwindowfocus")}).toULong();
}

int pictureListRows(unsigned long mainWindow) {
    // A column near the list's right edge, clear of the names, from its top to its bottom.
    const QRect list = QRect(394, 101, 143, 324).translated(windowGeometry(mainWindow).topLeft());
    const QImage screen = screenPixels();
    const QRgb even = qRgb(255, 255, 255);
    const QRgb odd = qRgb(238, 243, 244);
    int rows = 0;
    QRgb previous = 0;
    for (int y = list.top(); y <= list.bottom(); ++y) {
        const QRgb colour = screen.pixel(list.right() - 12, y);
        if ((colour == even || colour == odd) && colour != previous)
            ++rows;
        previous = colour;
    }
    return rows;
}

void click(QPoint at, int button) {
    xdotool({QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y()),
             QStringLiteral("click"), QString::number(button)});
}

void pressKeys(const QString& keys) {
    xdotool({QStringLiteral("key"), keys});
}

void typeText(const QString& text) {
    xdotool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("20"), text});
}

double meanDifference(const QImage& shown, const QImage& expected, QRect area, int step) {
    double total = 0;
    int samples = 0;
    for (int y = area.top(); y <= area.bottom(); y += step)
        for (int x = area.left(); x <= area.right(); x += step) {
            const QRgb a = shown.pixel(x, y);
            const QRgb b = expected.pixel(x, y);
            total += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
                     std::abs(qBlue(a) - qBlue(b));
            samples += 3;
        }
    return samples == 0 ? 0 : total / samples;
}

QImage centredOnBlack(const QString& pictureFile, QSize screen) {
    const QImage picture(pictureFile);
    QImage result(screen, QImage::Format_RGB32);
    result.fill(Qt::black);
    QPainter painter(&result);
    painter.drawImage(
        QPoint((screen.width() - picture.width()) / 2, (screen.height() - picture.height()) / 2),
        picture);
    return result;
}

unsigned long showMainWindow(QPoint trayIcon) {
    click(trayIcon);
    const unsigned long window = waitForWindow(MainWindowSize);
    return window != 0 && waitUntilPainted(window) ? window : 0;
}

unsigned long openTrayMenu(QPoint trayIcon) {
    const QStringList before = programWindows();
    click(trayIcon, 3);
    const unsigned long menu = waitForNewWindow(before);
    return menu != 0 && waitUntilPainted(menu) ? menu : 0;
}

} // namespace screen
