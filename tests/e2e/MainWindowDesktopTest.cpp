#include "RunningProgram.h"

#include <gtest/gtest.h>

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
