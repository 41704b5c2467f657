#include "forms/common/WindowPlacement.h"

#include <gtest/gtest.h>

namespace orvandel {
namespace {

TEST(WindowPlacement, AWantedPlaceIsMovedAsLittleAsNeededIntoTheArea) {
    // A screen of 1280 × 720 with a panel of 24 rows at the top, and a second screen beside it.
    const QRect area(0, 24, 1280, 696);
    const QRect secondArea(1280, 0, 1024, 768);
    const struct {
        const char* what;
        QRect wanted;
        QRect area;
        QPoint expected;
    } cases[] = {
        {"already inside", {100, 100, 249, 121}, area, {100, 100}},
        {"under the panel", {1031, -116, 249, 121}, area, {1031, 24}},
        {"past the top-right corner", {1200, 10, 249, 121}, area, {1031, 24}},
        {"past the bottom-left corner", {-50, 700, 313, 194}, area, {0, 526}},
        {"just fits", {0, 24, 1280, 696}, area, {0, 24}},
        {"wider and taller than the area", {350, 197, 987, 781}, {0, 24, 800, 576}, {0, 24}},
        {"taller only", {350, 197, 600, 781}, {0, 24, 1024, 744}, {350, 24}},
        {"on the second screen", {2200, 700, 249, 121}, secondArea, {2055, 647}},
        {"left of the second screen", {1200, 300, 249, 121}, secondArea, {1280, 300}},
    };
    for (const auto& [what, wanted, inside, expected] : cases) {
        const QRect kept = keptWithin(wanted, inside);
        EXPECT_EQ(kept.topLeft(), expected) << what;
        EXPECT_EQ(kept.size(), wanted.size()) << what;
    }
}

TEST(WindowPlacement, CentredOnTheArea) {
    EXPECT_EQ(centredIn({313, 194}, {0, 0, 1920, 1080}), QRect(803, 443, 313, 194));
    EXPECT_EQ(centredIn({313, 194}, {1920, 24, 1280, 1000}), QRect(2403, 427, 313, 194));
    // Larger than the area: centred all the same; keeping it within is the next step.
    EXPECT_EQ(centredIn({987, 781}, {0, 0, 800, 600}).topLeft(), QPoint(-93, -90));
}

} // namespace
} // namespace orvandel
