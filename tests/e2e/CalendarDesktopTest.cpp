#include "DesktopScreen.h"
#include "RunningProgram.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

// An empty part of the picture list, inside the main panel where the menu's shortcuts act.
const QPoint EmptyListArea(465, 400);
const QRgb Maroon = qRgb(128, 0, 0);

// The top-left corners of the frames right of the centred main window on a 1920-pixel screen:
// February, March, May, June, August, September, November, December.
const QPoint Frames[] = {{1385, 20},  {1570, 20},  {1385, 190}, {1570, 190},
                         {1385, 360}, {1570, 360}, {1385, 530}, {1570, 530}};

TEST(CalendarDesktop, ControlDDrawsTheYearOnTheWallpaper) {
    RunningProgram program;
    program.addPhotographs("Nature", 2);
    program.writeSettings("Nom Album=Nature\nPosition=0\nChanger au demarrage=0\n");
    program.start();
    const std::optional<QPoint> trayIcon = screen::waitForTrayIcon();
    ASSERT_TRUE(trayIcon);
    const unsigned long window = screen::showMainWindow(*trayIcon);
    ASSERT_NE(window, 0u);
    EXPECT_EQ(screen::backgroundPixmap(), 0u);

    screen::click(screen::windowGeometry(window).topLeft() + EmptyListArea);
    screen::pressKeys(QStringLiteral("ctrl+d"));
    ASSERT_TRUE(waitUntil([] { return screen::backgroundPixmap() != 0; }));
    EXPECT_TRUE(
        QFile::exists(program.folder.filePath(QStringLiteral("Images/MonPapierPeint.bmp"))));

    // Each frame's outline and the line under its title, in maroon on the photograph.
    const QImage screen = screen::screenPixels();
    for (const QPoint& corner : Frames) {
        for (const QPoint& offset :
             {QPoint(175, 20), QPoint(0, 80), QPoint(179, 80), QPoint(90, 164)})
            EXPECT_EQ(screen.pixel(corner + offset), Maroon)
                << "frame at " << corner.x() << "," << corner.y() << ", point " << offset.x() << ","
                << offset.y();
    }
    // Left of the calendar the photograph shows, not a blank picture.
    EXPECT_NE(screen.pixel(300, 800), screen.pixel(300, 300));
}

} // namespace
