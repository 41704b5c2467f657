#include "forms/about/WindowPlacement.h"

#include <gtest/gtest.h>

namespace orvandel {
namespace {

TEST(WindowPlacement, NearTheCursorButWhollyOnItsScreen) {
    const QSize size(249, 121);
    const QRect secondScreen(1920, 0, 1280, 1024);
    const struct {
        QPoint cursor;
        QRect screen;
        QPoint expected;
    } cases[] = {
        {{800, 600}, {0, 0, 1920, 1080}, {551, 479}},    // above and left of the cursor
        {{100, 50}, {0, 0, 1920, 1080}, {0, 0}},         // pushed back from the top-left corner
        {{1919, 1079}, {0, 0, 1920, 1080}, {1670, 958}}, // bottom-right corner: just fits
        {{2000, 30}, secondScreen, {1920, 0}},           // on the screen that holds the cursor
        {{3100, 900}, secondScreen, {2851, 779}},
    };
    for (const auto& [cursor, screen, expected] : cases)
        EXPECT_EQ(placeNearCursor(cursor, size, screen), expected)
            << "cursor " << cursor.x() << "," << cursor.y();
}

TEST(WindowPlacement, AWindowLargerThanTheScreenKeepsItsTopLeftOnScreen) {
    EXPECT_EQ(placeNearCursor({50, 50}, {400, 300}, {0, 0, 320, 240}), QPoint(0, 0));
}

TEST(WindowPlacement, Centred) {
    EXPECT_EQ(placeCentred({313, 194}, {0, 0, 1920, 1080}), QPoint(803, 443));
    EXPECT_EQ(placeCentred({313, 194}, {1920, 0, 1280, 1024}), QPoint(2403, 415));
}

} // namespace
} // namespace orvandel
