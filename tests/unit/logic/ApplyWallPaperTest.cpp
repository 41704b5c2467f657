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

TEST_F(ApplyWallPaperTest, PathOfTheFullBufferLengthIsHandedOverZeroTerminated) {
    // A letter outside the basic plane takes two UTF-16 units: the limit counts units.
    const QString prefix = QStringLiteral("/tmp/\U0001F600");
    const QString path = prefix + QString(259 - prefix.size(), u'a');
    ASSERT_EQ(path.size(), 259);
    ApplyWallPaper(path, 2, recordingShell());
    ASSERT_EQ(calls.size(), 4);
    EXPECT_EQ(calls[1], QStringLiteral("SetWallpaper %1 reserved=0").arg(path));
    EXPECT_EQ(log.pathBuffer[259], u'\0');
}

TEST_F(ApplyWallPaperTest, BufferAfterThePathIsZeroFilled) {
    ApplyWallPaper(QStringLiteral("/a.png"), 0, recordingShell());
    ASSERT_EQ(log.pathBuffer.size(), 260u);
    EXPECT_EQ(QString::fromUtf16(log.pathBuffer.data(), 6), QStringLiteral("/a.png"));
    for (std::size_t index = 6; index < log.pathBuffer.size(); ++index)
        EXPECT_EQ(log.pathBuffer[index], u'\0') << index;
}

// The shell would cut a longer path into another one and the change would look done.
TEST_F(ApplyWallPaperTest, PathLongerThan259UnitsRaisesBeforeAnyShellIsMade) {
    const QString path = QStringLiteral("/tmp/") + QString(255, u'x');
    ASSERT_EQ(path.size(), 260);
    try {
        ApplyWallPaper(path, 2, recordingShell());
        FAIL() << "no error";
    } catch (const Error& error) {
        EXPECT_TRUE(error.message().contains(QStringLiteral("259"))) << error.what();
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
