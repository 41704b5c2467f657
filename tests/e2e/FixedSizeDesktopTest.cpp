#include "DesktopScreen.h"
#include "RunningProgram.h"

#include <gtest/gtest.h>

namespace {

const QSize HelpWindowSize(313, 194);
const QSize AboutWindowSize(249, 121);
// In the main window, below the drag band: the help picture and the import picture.
const QPoint HelpPicture(466, 40);
const QPoint ImportPicture(86, 40);

// A tiling window manager floats a window whose size hints fix its size; any other it tiles.
TEST(FixedSizeDesktop, EveryWindowOfADocumentedSizeAsksTheWindowManagerToKeepIt) {
    RunningProgram program;
    program.addPhotographs("Nature", 2);
    program.start();
    const std::optional<QPoint> trayIcon = screen::waitForTrayIcon();
    ASSERT_TRUE(trayIcon);
    const unsigned long main = screen::showMainWindow(*trayIcon);
    ASSERT_NE(main, 0u);
    EXPECT_EQ(screen::fixedSize(main), screen::MainWindowSize);
    const QPoint corner = screen::windowGeometry(main).topLeft();

    screen::click(corner + HelpPicture);
    const unsigned long help = screen::waitForWindow(HelpWindowSize);
    ASSERT_NE(help, 0u);
    EXPECT_EQ(screen::fixedSize(help), HelpWindowSize);

    ASSERT_NE(screen::openTrayMenu(*trayIcon), 0u);
    screen::pressKeys(QStringLiteral("p"));
    const unsigned long about = screen::waitForWindow(AboutWindowSize);
    ASSERT_NE(about, 0u);
    EXPECT_EQ(screen::fixedSize(about), AboutWindowSize);

    ASSERT_NE(screen::openTrayMenu(*trayIcon), 0u);
    screen::pressKeys(QStringLiteral("o"));
    const unsigned long options = screen::waitForWindow(screen::OptionsDialogSize);
    ASSERT_NE(options, 0u);
    EXPECT_EQ(screen::fixedSize(options), screen::OptionsDialogSize);

    screen::click(corner + ImportPicture);
    const unsigned long import = screen::waitForWindow(screen::ImportDialogSize);
    ASSERT_NE(import, 0u);
    EXPECT_EQ(screen::fixedSize(import), screen::ImportDialogSize);
}

} // namespace
