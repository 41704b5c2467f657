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
    const std::optional<QPoint> trayIcon = desktop::waitForTrayIcon();
    ASSERT_TRUE(trayIcon);
    const unsigned long main = desktop::showMainWindow(*trayIcon);
    ASSERT_NE(main, 0u);
    EXPECT_EQ(desktop::fixedSize(main), desktop::MainWindowSize);
    const QPoint corner = desktop::windowGeometry(main).topLeft();

    desktop::click(corner + HelpPicture);
    const unsigned long help = desktop::waitForWindow(HelpWindowSize);
    ASSERT_NE(help, 0u);
    EXPECT_EQ(desktop::fixedSize(help), HelpWindowSize);

    ASSERT_NE(desktop::openTrayMenu(*trayIcon), 0u);
    desktop::pressKeys(QStringLiteral("p"));
    const unsigned long about = desktop::waitForWindow(AboutWindowSize);
    ASSERT_NE(about, 0u);
    EXPECT_EQ(desktop::fixedSize(about), AboutWindowSize);

    ASSERT_NE(desktop::openTrayMenu(*trayIcon), 0u);
    desktop::pressKeys(QStringLiteral("o"));
    const unsigned long options = desktop::waitForWindow(desktop::OptionsDialogSize);
    ASSERT_NE(options, 0u);
    EXPECT_EQ(desktop::fixedSize(options), desktop::OptionsDialogSize);

    desktop::click(corner + ImportPicture);
    const unsigned long import = desktop::waitForWindow(desktop::ImportDialogSize);
    ASSERT_NE(import, 0u);
    EXPECT_EQ(desktop::fixedSize(import), desktop::ImportDialogSize);
}

} // namespace
