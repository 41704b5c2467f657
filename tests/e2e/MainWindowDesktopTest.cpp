#include "RunningProgram.h"

#include <gtest/gtest.h>

namespace {

// Where a person clicks: the album chooser's text, in the window's coordinates.
const QPoint AlbumChooser(391 + 3 + 20, 60 + 13 + 10);

void clickAt(QPoint screenPoint) {
    run(QStringLiteral("xdotool"),
        {QStringLiteral("mousemove"), QString::number(screenPoint.x()),
         QString::number(screenPoint.y()), QStringLiteral("click"), QStringLiteral("1")});
}

void pressKey(const QString& key) {
    run(QStringLiteral("xdotool"), {QStringLiteral("key"), key});
}

} // namespace

TEST(MainWindowDesktop, ChoosingAnotherAlbumWritesTheSettingsAndClosingEnds) {
    RunningProgram program;
    program.addPhotographs("Nature", 3);
    program.addPhotographs("Espace", 2);
    program.writeSettings("Nom Album=Nature\nCompteur Album=4\nPosition=1\nTimer=15\n");
    program.start();
    const unsigned long window = program.waitForMainWindow();
    ASSERT_NE(window, 0u);
    clickAt(program.windowPosition(window) + AlbumChooser);
    pressKey(QStringLiteral("Down"));
    ASSERT_TRUE(waitUntil([&] { return program.settingsText().contains("Nom Album=Espace\n"); }));
    EXPECT_TRUE(program.settingsText().contains("Compteur Album=2\n"));
    EXPECT_TRUE(program.settingsText().contains("Images=" + program.albumFolder("Espace") + "\n"));
    program.requestClose(window);
    ASSERT_TRUE(program.waitForEnd());
    EXPECT_EQ(program.exitCode(), 0);
    EXPECT_TRUE(program.settingsText().contains("Position=1\n"));
    EXPECT_TRUE(program.settingsText().contains("Changer au demarrage=0\n"));
}

TEST(MainWindowDesktop, MessageRightButtonDownOpensThePopupMenu) {
    RunningProgram program;
    program.addPhotographs("Nature", 2);
    program.start();
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
