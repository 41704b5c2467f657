#include "DesktopScreen.h"
#include "RunningProgram.h"

#include <QImageReader>

#include <gtest/gtest.h>

namespace {

// In the main window: the add-picture button, below the drag band.
const QPoint AddPictureButton(86, 40);
// In the import dialog: "&Choisir une IMAGE", the add picture and "Fermer".
const QPoint ChooseButton(915, 139);
const QPoint AddPicture(915, 354);
const QPoint CloseButton(915, 635);
const QString Source = QStringLiteral("/usr/share/backgrounds/mate/nature/Garden.jpg");

// A window that has just shown takes keys once it holds the keyboard focus.
unsigned long waitForFocusedNewWindow(const QStringList& known) {
    const unsigned long window = screen::waitForNewWindow(known);
    if (window == 0 || !waitUntil([&] { return screen::focusedWindow() == window; }))
        return 0;
    return window;
}

TEST(ImportDesktop, PictureAddedToTheCurrentAlbumIsListedAndCounted) {
    RunningProgram program;
    program.addPhotographs("Nature", 3);
    program.writeSettings("Nom Album=Nature\nChanger au demarrage=0\n");
    program.start();
    const std::optional<QPoint> trayIcon = screen::waitForTrayIcon();
    ASSERT_TRUE(trayIcon);
    const unsigned long mainWindow = screen::showMainWindow(*trayIcon);
    ASSERT_NE(mainWindow, 0u);
    EXPECT_EQ(screen::pictureListRows(mainWindow), 3);

    screen::click(screen::windowGeometry(mainWindow).topLeft() + AddPictureButton);
    const unsigned long dialog = screen::waitForWindow(screen::ImportDialogSize);
    ASSERT_NE(dialog, 0u);
    ASSERT_TRUE(screen::waitUntilPainted(dialog));
    const QPoint corner = screen::windowGeometry(dialog).topLeft();

    // The picture-open dialog: the path typed into its file name field.
    QStringList shown = screen::programWindows();
    screen::click(corner + ChooseButton);
    const unsigned long fileDialog = waitForFocusedNewWindow(shown);
    ASSERT_NE(fileDialog, 0u);
    screen::typeText(Source);
    screen::pressKeys(QStringLiteral("Return"));
    ASSERT_TRUE(screen::waitForWindowGone(fileDialog));

    shown = screen::programWindows();
    screen::click(corner + AddPicture);
    const unsigned long success = waitForFocusedNewWindow(shown);
    ASSERT_NE(success, 0u);
    screen::pressKeys(QStringLiteral("Return"));
    ASSERT_TRUE(screen::waitForWindowGone(success));
    screen::click(corner + CloseButton);
    ASSERT_TRUE(screen::waitForWindowGone(dialog));

    // Named by the counter, the number of pictures the album held; the watcher lists it.
    const QImageReader written(program.albumFolder("Nature") + QStringLiteral("3.jpg"));
    EXPECT_EQ(written.format(), "jpeg");
    EXPECT_EQ(written.size(), QImageReader(Source).size());
    EXPECT_TRUE(waitUntil([&] { return screen::pictureListRows(mainWindow) == 4; }));
    ASSERT_TRUE(program.closeAndWaitForEnd(mainWindow));
    EXPECT_TRUE(program.settingsText().contains("Compteur Album=4\n"))
        << program.settingsText().toStdString();
}

} // namespace
