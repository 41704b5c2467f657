#include "DesktopScreen.h"
#include "RunningProgram.h"

#include <QDir>
#include <QThread>

#include <gtest/gtest.h>

namespace {

// In the main window: the album chooser's text.
const QPoint AlbumChooser(444, 83);
// Left of the centred main window and below the tray host: the wallpaper alone.
const QRect UncoveredBackground(0, 40, 600, 1040);

// Which of the pictures the background shows centred on black; -1 when none is.
int shownPicture(const RunningProgram& program, const QString& album, const QStringList& names) {
    const QImage screen = screen::screenPixels();
    for (int index = 0; index < names.size(); ++index) {
        const QImage expected =
            screen::centredOnBlack(program.albumFolder(album) + names[index], screen.size());
        if (screen::meanDifference(screen, expected, UncoveredBackground) < 6)
            return index;
    }
    return -1;
}

// Waits for the background to be set anew after `before`, and returns which picture it shows.
int nextShownPicture(const RunningProgram& program, const QString& album, const QStringList& names,
                     std::uint32_t before) {
    if (!waitUntil([&] { return screen::backgroundPixmap() != before; }))
        return -1;
    return shownPicture(program, album, names);
}

} // namespace

TEST(MainWindowDesktop, StartsHiddenShowsOnMessage515AndAClosingWritesTheSettings) {
    RunningProgram program;
    program.addPhotographs("Nature", 3);
    program.addPhotographs("Espace", 2);
    program.writeSettings("Nom Album=Nature\nCompteur Album=4\nPosition=1\nTimer=15\n");
    program.start();
    // It starts hidden behind its tray icon; message 515 shows it.
    EXPECT_EQ(program.waitForMainWindow(3000), 0u);
    program.sendWindowMessage(1025, 515);
    const unsigned long window = program.waitForMainWindow();
    ASSERT_NE(window, 0u);
    ASSERT_TRUE(program.closeAndWaitForEnd(window));
    EXPECT_EQ(program.exitCode(), 0);
    EXPECT_TRUE(program.settingsText().contains("Nom Album=Nature\n"));
    EXPECT_TRUE(program.settingsText().contains("Compteur Album=3\n"));
    EXPECT_TRUE(program.settingsText().contains("Position=1\n"));
    EXPECT_TRUE(program.settingsText().contains("Changer au demarrage=0\n"));
}

TEST(MainWindowDesktop, MessageRightButtonDownOpensThePopupMenu) {
    RunningProgram program;
    program.addPhotographs("Nature", 2);
    program.start();
    waitUntil([&] {
        try {
            program.sendWindowMessage(1025, 515);
            return true;
        } catch (const std::exception&) {
            return false;
        }
    });
    ASSERT_NE(program.waitForMainWindow(), 0u);
    const auto visibleWindows = [] {
        return run(QStringLiteral("xdotool"),
                   {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                    QStringLiteral("--classname"), QStringLiteral("orvandel")})
            .split(u'\n', Qt::SkipEmptyParts)
            .size();
    };
    const qsizetype before = visibleWindows();
    program.sendWindowMessage(1025, 513);
    program.sendWindowMessage(1025, 516);
    EXPECT_TRUE(waitUntil([&] { return visibleWindows() == before + 1; }));
}

TEST(MainWindowDesktop, StartShowsAnAlbumPictureCentredTheTrayShowsTheWindowTheMenuChangesIt) {
    RunningProgram program;
    const QStringList names = program.addPhotographs("Nature", 3);
    program.writeSettings("Nom Album=Nature\nPosition=0\nChanger au demarrage=1\n");
    program.start();
    const int first = nextShownPicture(program, "Nature", names, 0);
    EXPECT_GE(first, 0);

    const std::optional<QPoint> trayIcon = screen::waitForTrayIcon();
    ASSERT_TRUE(trayIcon);
    EXPECT_EQ(screen::waitForWindow(screen::MainWindowSize, 1000), 0u);
    ASSERT_NE(screen::showMainWindow(*trayIcon), 0u);

    // "&Changer Fond d'Ecran" from the tray's menu, until chance draws another picture.
    int shown = first;
    for (int attempt = 0; attempt < 20 && shown == first; ++attempt) {
        const std::uint32_t before = screen::backgroundPixmap();
        ASSERT_NE(screen::openTrayMenu(*trayIcon), 0u);
        screen::pressKeys(QStringLiteral("c"));
        shown = nextShownPicture(program, "Nature", names, before);
        ASSERT_GE(shown, 0);
    }
    EXPECT_NE(shown, first);
}

TEST(MainWindowDesktop, AlbumChosenInTheComboIsSavedAndListedAndACopiedPictureJoinsTheList) {
    RunningProgram program;
    program.addPhotographs("Nature", 3);
    const QStringList space = program.addPhotographs("Espace", 2, 3);
    program.writeSettings("Nom Album=Nature\nPosition=0\nChanger au demarrage=1\n");
    program.start();
    const std::optional<QPoint> trayIcon = screen::waitForTrayIcon();
    ASSERT_TRUE(trayIcon);
    const unsigned long window = screen::showMainWindow(*trayIcon);
    ASSERT_NE(window, 0u);
    EXPECT_EQ(screen::pictureListRows(window), 3);

    // "Espace" follows "Nature" among the albums.
    const std::uint32_t before = screen::backgroundPixmap();
    screen::click(screen::windowGeometry(window).topLeft() + AlbumChooser);
    screen::pressKeys(QStringLiteral("Down"));
    EXPECT_TRUE(waitUntil([&] {
        const QString settings = program.settingsText();
        return settings.contains("Nom Album=Espace\n") && settings.contains("Compteur Album=2\n") &&
               settings.contains("Images=" + program.albumFolder("Espace") + "\n");
    })) << program.settingsText().toStdString();
    EXPECT_GE(nextShownPicture(program, "Espace", space, before), 0);
    EXPECT_TRUE(waitUntil([&] { return screen::pictureListRows(window) == 2; }));

    program.addPhotographs("Espace", 1, 5);
    EXPECT_TRUE(waitUntil([&] { return screen::pictureListRows(window) == 3; }));
    ASSERT_TRUE(program.closeAndWaitForEnd(window));
    EXPECT_TRUE(program.settingsText().contains("Compteur Album=3\n"))
        << program.settingsText().toStdString();
}

// A backup restored over the current album: the folder is removed, then made again with other
// pictures, and the program follows it as if nothing had happened. The restored album is the
// larger, so that no listing made while the folder was going can show its count. The folder goes
// in one step, as a file manager's move to the bin does: deleted file by file, a listing could
// catch a picture that is gone before its preview is read, and report it.
TEST(MainWindowDesktop, AnAlbumFolderRemovedAndRestoredIsListedChangedToAndCounted) {
    RunningProgram program;
    program.addPhotographs("Nature", 2);
    program.writeSettings("Nom Album=Nature\nPosition=0\nChanger au demarrage=0\n");
    program.start();
    const std::optional<QPoint> trayIcon = screen::waitForTrayIcon();
    ASSERT_TRUE(trayIcon);
    const unsigned long window = screen::showMainWindow(*trayIcon);
    ASSERT_NE(window, 0u);
    EXPECT_EQ(screen::pictureListRows(window), 2);

    const QString bin = program.albumFolder("Nature").chopped(1) + QStringLiteral(".bin");
    ASSERT_TRUE(QDir().rename(program.albumFolder("Nature"), bin));
    ASSERT_TRUE(QDir(bin).removeRecursively());
    // Time for the watcher to see the folder go and the listing to find it empty.
    QThread::msleep(1000);
    const QStringList restored = program.addPhotographs("Nature", 3, 5);
    EXPECT_TRUE(waitUntil([&] { return screen::pictureListRows(window) == 3; }));

    const std::uint32_t before = screen::backgroundPixmap();
    ASSERT_NE(screen::openTrayMenu(*trayIcon), 0u);
    screen::pressKeys(QStringLiteral("c"));
    EXPECT_GE(nextShownPicture(program, "Nature", restored, before), 0);
    ASSERT_TRUE(program.closeAndWaitForEnd(window));
    EXPECT_TRUE(program.settingsText().contains("Compteur Album=3\n"))
        << program.settingsText().toStdString();
}
