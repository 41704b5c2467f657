#include "logic/wallpaper/ApplyWallPaper.h"

#include "RecordingWallpaperShell.h"

#include <gtest/gtest.h>

#include <memory>

using orvandel::Error;
using orvandel::Utils::ApplyWallPaper;

namespace {

class ApplyWallPaperTest : public ::testing::Test {
protected:
    // Makes a recording shell and counts how often one was made.
    orvandel::Utils::WallpaperShellMaker recordingShell(
        RecordingWallpaperShell::Step failingStep = RecordingWallpaperShell::Step::None) {
        return [this, failingStep] {
            ++shellsMade;
            return std::make_unique<RecordingWallpaperShell>(log, failingStep);
        };
    }

    WallpaperShellLog log;
    QStringList& calls = log.calls;
    int shellsMade = 0;
};

struct StyleCase {
    int wpStyle;
    QString dwStyle;
};

class ApplyWallPaperStyleTest : public ApplyWallPaperTest,
                                public ::testing::WithParamInterface<StyleCase> {};

TEST_P(ApplyWallPaperStyleTest, RunsTheThreeStepsInOrderAndReleasesTheShell) {
    const QString path = QStringLiteral("/home/user/Images/Vacances été/plage 1.jpg");
    ApplyWallPaper(path, GetParam().wpStyle, recordingShell());
    EXPECT_EQ(calls, (QStringList{
                         QStringLiteral("SetWallpaperOptions dwSize=8 dwStyle=%1 reserved=0")
                             .arg(GetParam().dwStyle),
                         QStringLiteral("SetWallpaper %1 reserved=0").arg(path),
                         QStringLiteral("ApplyChanges flags=7"),
                         QStringLiteral("Release"),
                     }));
    EXPECT_EQ(shellsMade, 1);
}

// Codes outside 0..2 (a hand-edited file, -1 from text typed into the list) pass unchanged.
INSTANTIATE_TEST_SUITE_P(PositionCodes, ApplyWallPaperStyleTest,
                         ::testing::Values(StyleCase{0, QStringLiteral("0")},
                                           StyleCase{1, QStringLiteral("1")},
                                           StyleCase{2, QStringLiteral("2")},
                                           StyleCase{-1, QStringLiteral("4294967295")},
                                           StyleCase{7, QStringLiteral("7")}));

// The system's own limit on a path: PATH_MAX bytes, terminating zero included.
constexpr int SystemPathBytes = 4096;

class ApplyWallPaperPathTest : public ApplyWallPaperTest,
                               public ::testing::WithParamInterface<int> {};

// A path far beyond the Windows shell's 259 units, and one of the longest the system takes.
TEST_P(ApplyWallPaperPathTest, LongPathTheSystemTakesIsHandedOverWholeAndZeroTerminated) {
    const QString path = QStringLiteral("/tmp/") + QString(GetParam() - 5, u'a');
    ApplyWallPaper(path, 2, recordingShell());
    ASSERT_EQ(calls.size(), 4);
    EXPECT_EQ(calls[1], QStringLiteral("SetWallpaper %1 reserved=0").arg(path));
    ASSERT_EQ(log.pathBuffer.size(), std::size_t{SystemPathBytes});
    EXPECT_EQ(log.pathBuffer[path.size()], u'\0');
}

INSTANTIATE_TEST_SUITE_P(Lengths, ApplyWallPaperPathTest,
                         ::testing::Values(300, SystemPathBytes - 1));

TEST_F(ApplyWallPaperTest, BufferAfterThePathIsZeroFilled) {
    ApplyWallPaper(QStringLiteral("/a.png"), 0, recordingShell());
    ASSERT_EQ(log.pathBuffer.size(), std::size_t{SystemPathBytes});
    EXPECT_EQ(QString::fromUtf16(log.pathBuffer.data(), 6), QStringLiteral("/a.png"));
    for (std::size_t index = 6; index < log.pathBuffer.size(); ++index)
        EXPECT_EQ(log.pathBuffer[index], u'\0') << index;
}

// The system counts bytes: 2,100 letters "é" take 4,200 of them.
TEST_F(ApplyWallPaperTest, PathLongerThanTheSystemTakesRaisesBeforeAnyShellIsMade) {
    for (const QString& path : {QStringLiteral("/tmp/") + QString(SystemPathBytes - 5, u'x'),
                                QStringLiteral("/tmp/") + QString(2100, u'é')}) {
        try {
            ApplyWallPaper(path, 2, recordingShell());
            ADD_FAILURE() << "no error for " << path.size() << " units";
        } catch (const Error& error) {
            EXPECT_EQ(error.message(),
                      QStringLiteral("Le chemin de l'image dépasse les 4095 octets qu'admet le "
                                     "système : ") +
                          path);
        }
    }
    EXPECT_EQ(shellsMade, 0);
    EXPECT_TRUE(calls.isEmpty());
}

TEST_F(ApplyWallPaperTest, NoShellForThisDesktopRaises) {
    EXPECT_THROW(ApplyWallPaper(QStringLiteral("/a.jpg"), 0, [] { return nullptr; }), Error);
}

using Step = RecordingWallpaperShell::Step;

class ApplyWallPaperFailureTest : public ApplyWallPaperTest,
                                  public ::testing::WithParamInterface<std::pair<Step, int>> {};

TEST_P(ApplyWallPaperFailureTest, StepThatFailsStopsTheCallAndTheShellIsStillReleased) {
    const auto [failingStep, stepsRun] = GetParam();
    EXPECT_THROW(ApplyWallPaper(QStringLiteral("/a.jpg"), 1, recordingShell(failingStep)), Error);
    ASSERT_EQ(calls.size(), stepsRun + 1);
    EXPECT_EQ(calls.last(), QStringLiteral("Release"));
}

INSTANTIATE_TEST_SUITE_P(Steps, ApplyWallPaperFailureTest,
                         ::testing::Values(std::pair{Step::SetWallpaperOptions, 1},
                                           std::pair{Step::SetWallpaper, 2},
                                           std::pair{Step::ApplyChanges, 3}));

} // namespace
