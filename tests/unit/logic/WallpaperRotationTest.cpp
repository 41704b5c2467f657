#include "logic/rotation/WallpaperRotation.h"

#include "logic/rotation/RotationInterval.h"

#include <gtest/gtest.h>

#include <deque>
#include <limits>

using namespace orvandel;

namespace {

class Scripted final : public RandomIndex {
public:
    explicit Scripted(std::deque<std::int32_t> indexes)
        : queue(std::move(indexes)) {}
    std::int32_t draw(std::int32_t count) override {
        ++draws;
        lastCount = count;
        const std::int32_t next = queue.empty() ? 0 : queue.front();
        if (!queue.empty())
            queue.pop_front();
        return next % count;
    }
    std::deque<std::int32_t> queue;
    int draws = 0;
    std::int32_t lastCount = 0;
};

const QStringList names{"a.jpg", "b.png", "c.bmp", "d.gif"};

FileCheck existing(QStringList present) {
    return [present](const QString& path) { return present.contains(path.mid(4)); };
}

} // namespace

TEST(DrawExistingPicture, RedrawsWhileTheCandidateIsNoFile) {
    Scripted random({1, 3, 0});
    EXPECT_EQ(drawExistingPicture("dir/", names, random, existing({"a.jpg", "c.bmp"})), 0);
    EXPECT_EQ(random.draws, 3);
}

TEST(DrawExistingPicture, AnEmptyListOrNoSurvivorGivesNothingAfterBoundedDraws) {
    Scripted random({});
    EXPECT_EQ(drawExistingPicture("dir/", {}, random, existing({})), std::nullopt);
    EXPECT_EQ(random.draws, 0);
    EXPECT_EQ(drawExistingPicture("dir/", names, random, existing({})), std::nullopt);
    EXPECT_EQ(random.draws, 4);
}

TEST(DrawExistingPicture, AfterAsManyMissesAsNamesDrawsAmongTheSurvivors) {
    Scripted random({1, 1, 1, 1, 1});
    EXPECT_EQ(drawExistingPicture("dir/", names, random, existing({"a.jpg", "d.gif"})), 3);
    EXPECT_EQ(random.lastCount, 2);
}

TEST(DrawExistingPicture, EveryExistingPictureIsDrawnAboutEquallyOften) {
    ClockSeededRandomIndex random;
    int seen[4] = {};
    for (int draw = 0; draw < 4000; ++draw)
        ++seen[*drawExistingPicture("dir/", names, random, existing({"a.jpg", "b.png", "d.gif"}))];
    EXPECT_EQ(seen[2], 0);
    for (const int index : {0, 1, 3})
        EXPECT_NEAR(seen[index], 4000 / 3, 200) << index;
}

TEST(RotationInterval, MinutesTimesSixtyThousandWhenItFitsIn32Bits) {
    EXPECT_EQ(rotationInterval(60), 3'600'000u);
    EXPECT_EQ(rotationInterval(71582), 4'294'920'000u);
    EXPECT_EQ(rotationInterval(71583), std::nullopt);
    EXPECT_EQ(rotationInterval(0), std::nullopt);
    EXPECT_EQ(rotationInterval(-1), std::nullopt);
    EXPECT_EQ(rotationInterval(std::numeric_limits<std::int32_t>::max()), std::nullopt);
}

TEST(InvalidPictureMessage, HasTwoBlanksOnEachSideOfTheName) {
    EXPECT_EQ(invalidPictureMessage("x.gif"), "Le format de l'image  x.gif  est invalide...");
}
