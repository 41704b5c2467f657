#include "desktop/linux/ReservedBands.h"

#include <gtest/gtest.h>

#include <vector>

namespace orvandel::desktop {
namespace {

using Edge = ReservedBand::Edge;

TEST(ReservedBands, EachScreenLosesOnlyTheBandsThatReachIt) {
    // Two screens side by side, 1920 × 1080 and 1280 × 1024, on an X11 screen of 3200 × 1080.
    const QSize root(3200, 1080);
    const QRect first(0, 0, 1920, 1080);
    const QRect second(1920, 0, 1280, 1024);
    const struct {
        const char* what;
        std::vector<ReservedBand> bands;
        QRect screen;
        QRect expected;
    } cases[] = {
        {"no panel", {}, first, first},
        {"top panel across the first screen",
         {{Edge::Top, 24, 0, 1919}},
         first,
         {0, 24, 1920, 1056}},
        {"top panel on the first screen only", {{Edge::Top, 24, 0, 1919}}, second, second},
        {"tray host at the top right",
         {{Edge::Top, 24, 3000, 3199}},
         second,
         {1920, 24, 1280, 1000}},
        {"bottom panel of the taller screen",
         {{Edge::Bottom, 40, 0, 1919}},
         first,
         {0, 0, 1920, 1040}},
        // The bottom band of the taller screen lies below the shorter one.
        {"bottom panel out of reach", {{Edge::Bottom, 40, 1920, 3199}}, second, second},
        {"left dock", {{Edge::Left, 64, 0, 1079}}, first, {64, 0, 1856, 1080}},
        {"right dock", {{Edge::Right, 48, 0, 1023}}, second, {1920, 0, 1232, 1024}},
        {"top and left together",
         {{Edge::Top, 30, 0, 1919}, {Edge::Left, 50, 0, 1079}},
         first,
         {50, 30, 1870, 1050}},
        {"larger of two top panels",
         {{Edge::Top, 24, 0, 100}, {Edge::Top, 36, 200, 300}},
         first,
         {0, 36, 1920, 1044}},
        {"empty span", {{Edge::Top, 24, 500, 499}}, first, first},
        {"band over the whole screen", {{Edge::Top, 5000, 0, 1919}}, first, first},
    };
    for (const auto& [what, bands, screen, expected] : cases)
        EXPECT_EQ(areaLeftByBands(screen, root, bands), expected) << what;
}

TEST(ReservedBands, ReadFromPartialAndWholeEdgeStruts) {
    const QSize root(1280, 720);
    std::vector<ReservedBand> bands;
    // trayer at the top right: 24 rows over columns 1100 to 1279.
    const std::uint32_t partial[] = {0, 0, 24, 0, 0, 0, 0, 0, 1100, 1279, 0, 0};
    appendReservedBands(partial, root, bands);
    const std::uint32_t whole[] = {0, 0, 0, 30};
    appendReservedBands(whole, root, bands);
    const std::uint32_t malformed[] = {10, 10, 10};
    appendReservedBands(malformed, root, bands);
    ASSERT_EQ(bands.size(), 2u);
    EXPECT_EQ(bands[0].edge, Edge::Top);
    EXPECT_EQ(bands[0].depth, 24);
    EXPECT_EQ(bands[0].first, 1100);
    EXPECT_EQ(bands[0].last, 1279);
    EXPECT_EQ(bands[1].edge, Edge::Bottom);
    EXPECT_EQ(bands[1].depth, 30);
    EXPECT_EQ(bands[1].first, 0);
    EXPECT_EQ(bands[1].last, 1279);
    EXPECT_EQ(areaLeftByBands({0, 0, 1280, 720}, root, bands), QRect(0, 24, 1280, 666));
}

} // namespace
} // namespace orvandel::desktop
