#include "logic/wallpaper/ApplyWallPaper.h"

#include "RecordingWallpaperSetter.h"
#include "common/Error.h"

#include <gtest/gtest.h>

#include <memory>

using orvandel::Error;
using orvandel::Utils::ApplyWallPaper;

namespace {

class ApplyWallPaperTest : public ::testing::Test {
protected:
    // Makes a recording setter, failing with `failure` when given one, and counts how often one
    // was made.
    orvandel::Utils::WallpaperSetterMaker recordingSetter(std::exception_ptr failure = nullptr) {
        return [this, failure] {
            ++settersMade;
            return std::make_unique<RecordingWallpaperSetter>(calls, failure);
        };
    }

    QStringList calls;
    int settersMade = 0;
};

struct StyleCase {
    int wpStyle;
    const char* placement;
};

class ApplyWallPaperStyleTest : public ApplyWallPaperTest,
                                public ::testing::WithParamInterface<StyleCase> {};

TEST_P(ApplyWallPaperStyleTest, AppliesThePathInItsPlacementAndReleasesTheSetter) {
    const QString path = QStringLiteral("/home/user/Images/Vacances été/plage 1.jpg");
    ApplyWallPaper(path, GetParam().wpStyle, recordingSetter());
    EXPECT_EQ(calls, (QStringList{
                         QStringLiteral("apply %1 %2").arg(GetParam().placement, path),
                         QStringLiteral("Release"),
                     }));
    EXPECT_EQ(settersMade, 1);
}

// Codes outside 0..2 (a hand-edited file, -1 from text typed into the list) are drawn stretched.
INSTANTIATE_TEST_SUITE_P(PositionCodes, ApplyWallPaperStyleTest,
                         ::testing::Values(StyleCase{0, "center"}, StyleCase{1, "tile"},
                                           StyleCase{2, "stretch"}, StyleCase{-1, "stretch"},
                                           StyleCase{7, "stretch"}));

// The path reaches the setter whole: only the platform's own setter knows its limit.
TEST_F(ApplyWallPaperTest, LongPathIsHandedOverWhole) {
    const QString path = QStringLiteral("/tmp/") + QString(295, u'a');
    ApplyWallPaper(path, 2, recordingSetter());
    ASSERT_EQ(calls.size(), 2);
    EXPECT_EQ(calls[0], QStringLiteral("apply stretch ") + path);
}

TEST_F(ApplyWallPaperTest, NoSetterForThisDesktopRaises) {
    EXPECT_THROW(ApplyWallPaper(QStringLiteral("/a.jpg"), 0, [] { return nullptr; }), Error);
}

TEST_F(ApplyWallPaperTest, FailingChangeRaisesItsErrorAndTheSetterIsStillReleased) {
    try {
        ApplyWallPaper(QStringLiteral("/a.jpg"), 1,
                       recordingSetter(std::make_exception_ptr(Error("échec simulé"))));
        ADD_FAILURE() << "no error";
    } catch (const Error& error) {
        EXPECT_EQ(error.message(), QStringLiteral("échec simulé"));
    }
    EXPECT_EQ(calls, (QStringList{QStringLiteral("apply tile /a.jpg"), QStringLiteral("Release")}));
}

} // namespace
