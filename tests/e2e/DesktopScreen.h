#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

// What a person sees on the private display and what they do there: the screen's pixels, the
// background pixmap, the windows on top, the pointer and the keyboard.
namespace screen {

// The whole screen as shown, windows included.
QImage screenPixels();
// The pixmap the background is drawn from (_XROOTPMAP_ID), 0 when none is set.
std::uint32_t backgroundPixmap();

// The geometry of a window on the screen.
QRect windowGeometry(unsigned long window);
// The first mapped window of the program of that size; 0 when none shows within `milliseconds`.
unsigned long waitForWindow(QSize size, int milliseconds = 10000);
// The size a window asks the window manager to keep (equal minimum and maximum in its
// WM_NORMAL_HINTS); empty when it may be resized.
QSize fixedSize(unsigned long window);
// The program's mapped windows.
QStringList programWindows();
// The first window of the program that shows and is none of `known`, 0 when none shows.
unsigned long waitForNewWindow(const QStringList& known, int milliseconds = 10000);
// Waits until the window has drawn itself: its pixels are no longer the bare black of a window
// just mapped, and hold still. Quirk: on this display without a window manager, a window mapped
// inside one of the program's shown windows stays black, as in a bare toolkit program; such a
// window is ready once it holds the keyboard focus.
bool waitUntilPainted(unsigned long window, int milliseconds = 10000);
// Waits for the program's window to be unmapped or gone.
bool waitForWindowGone(unsigned long window, int milliseconds = 10000);

// The program's icon docked in the tray host, once the host has put it in its place; null when
// it never settles.
std::optional<QPoint> waitForTrayIcon(int milliseconds = 15000);

// The window that has the keyboard focus.
unsigned long focusedWindow();
// The rows the main window's picture list shows: its white and grey-blue stripes.
int pictureListRows(unsigned long mainWindow);

void click(QPoint at, int button = 1);

// The windows' sizes, which tell them apart.
inline const QSize MainWindowSize(548, 442);
inline const QSize OptionsDialogSize(321, 388);
inline const QSize ImportDialogSize(987, 781);
// A left click on the tray icon; the main window once it is painted, 0 when it never is.
unsigned long showMainWindow(QPoint trayIcon);
// A right press on the tray icon; its popup menu once it is painted, 0 when none comes.
unsigned long openTrayMenu(QPoint trayIcon);
// Keys in xdotool's names: "o", "ctrl+d", "Return".
void pressKeys(const QString& keys);
void typeText(const QString& text);

// Mean difference per channel between `shown` and `expected` over the points of `area` on a
// grid of `step` pixels.
double meanDifference(const QImage& shown, const QImage& expected, QRect area, int step = 16);
// A picture file as the background draws it centred on a black screen of `screen` size.
QImage centredOnBlack(const QString& pictureFile, QSize screen);

} // namespace screen
