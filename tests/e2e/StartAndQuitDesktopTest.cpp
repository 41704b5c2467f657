#include "DesktopScreen.h"
#include "RunningProgram.h"

#include <QProcess>

#include <gtest/gtest.h>

namespace {

// Inside the options dialog: the album name field.
const QPoint AlbumNameField(233, 82);

} // namespace

TEST(SecondStartDesktop, HandsOverToTheRunningProgramWhichShowsItsWindowAndWritesNothing) {
    RunningProgram program;
    program.addPhotographs("Nature", 3);
    program.writeSettings("Nom Album=Nature\nCompteur Album=4\nTimer=15\n");
    program.start();
    ASSERT_TRUE(screen::waitForTrayIcon());
    const QString settingsBefore = program.settingsText();

    EXPECT_EQ(program.startAgainAndWait(), 0);
    const unsigned long window = program.waitForMainWindow();
    ASSERT_NE(window, 0u);
    EXPECT_EQ(program.settingsText(), settingsBefore);

    ASSERT_TRUE(program.closeAndWaitForEnd(window));
    EXPECT_TRUE(program.settingsText().contains("Nom Album=Nature\n"));
    EXPECT_TRUE(program.settingsText().contains("Compteur Album=3\n"))
        << program.settingsText().toStdString();
}

TEST(QuitDesktop, QuittingWithTheWindowShownKeepsWhatTheOptionsDialogHolds) {
    RunningProgram program;
    program.addPhotographs("Nature", 2);
    program.writeSettings("Nom Album=Nature\nPosition=0\nTimer=15\n");
    program.start();
    const std::optional<QPoint> trayIcon = screen::waitForTrayIcon();
    ASSERT_TRUE(trayIcon);
    ASSERT_NE(screen::showMainWindow(*trayIcon), 0u);

    ASSERT_NE(screen::openTrayMenu(*trayIcon), 0u);
    screen::pressKeys(QStringLiteral("o"));
    const unsigned long dialog = screen::waitForWindow(screen::OptionsDialogSize);
    ASSERT_NE(dialog, 0u);
    ASSERT_TRUE(screen::waitUntilPainted(dialog));
    screen::click(screen::windowGeometry(dialog).topLeft() + AlbumNameField);
    screen::pressKeys(QStringLiteral("ctrl+a"));
    screen::typeText(QStringLiteral("Espace"));

    ASSERT_NE(screen::openTrayMenu(*trayIcon), 0u);
    screen::pressKeys(QStringLiteral("q"));
    ASSERT_TRUE(program.waitForEnd());
    EXPECT_EQ(program.exitCode(), 0);
    const QString settings = program.settingsText();
    EXPECT_TRUE(settings.contains("Nom Album=Espace\n")) << settings.toStdString();
    EXPECT_TRUE(settings.contains("Timer=15\n")) << settings.toStdString();
    EXPECT_TRUE(settings.contains("Position=0\n")) << settings.toStdString();
}

// On a display whose panel comes up after the program, as at login.
TEST(LateTrayHostDesktop, TheShownWindowHidesBehindTheIconOnceATrayHostComes) {
    RunningProgram program;
    program.addPhotographs("Nature", 2);
    program.start();
    const unsigned long window = program.waitForMainWindow();
    ASSERT_NE(window, 0u);

    QProcess trayHost;
    trayHost.start(QStringLiteral("trayer"),
                   {QStringLiteral("--edge"), QStringLiteral("top"), QStringLiteral("--align"),
                    QStringLiteral("right"), QStringLiteral("--widthtype"),
                    QStringLiteral("request"), QStringLiteral("--height"), QStringLiteral("24"),
                    QStringLiteral("--SetDockType"), QStringLiteral("true")});
    ASSERT_TRUE(trayHost.waitForStarted(5000));
    EXPECT_TRUE(screen::waitForTrayIcon());
    EXPECT_TRUE(screen::waitForWindowGone(window));
    trayHost.kill();
    trayHost.waitForFinished(5000);
}
