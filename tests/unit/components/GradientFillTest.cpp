#include "components/gradient/GradientFill.h"

#include <QImage>

#include <gtest/gtest.h>

namespace orvandel {
namespace {

constexpr TColor DesertFace = 0xFFFFFF;
constexpr TColor DesertGrad = 0xA4E1FF;
const QRgb Marker = qRgb(1, 2, 3);

QImage markedBitmap(int width, int height) {
    QImage bitmap(width, height, QImage::Format_RGB32);
    bitmap.fill(Marker);
    return bitmap;
}

TEST(GradientFill, VerticalFillOfHeightFourGivesTheWorkedExampleRows) {
    QImage bitmap = markedBitmap(3, 4);
    GradientFillRect(bitmap, bitmap.rect(), DesertFace, DesertGrad, TFillDirection::fdVertical);
    const QRgb expected[] = {qRgb(255, 255, 255), qRgb(255, 248, 232), qRgb(255, 240, 210),
                             qRgb(255, 232, 187)};
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(bitmap.pixel(x, y), expected[y]) << "x " << x << " y " << y;
}

TEST(GradientFill, LastLineHasTheEndColourAndFallsOutsideTheBitmap) {
    const auto colors = gradientLineColors(DesertFace, DesertGrad, 4);
    ASSERT_EQ(colors.size(), 5u);
    EXPECT_EQ(colors[4], qRgb(255, 225, 164));
}

TEST(GradientFill, HorizontalFillPaintsColumns) {
    QImage bitmap = markedBitmap(4, 2);
    GradientFillRect(bitmap, bitmap.rect(), DesertFace, DesertGrad, TFillDirection::fdHorizontal);
    for (int y = 0; y < 2; ++y) {
        EXPECT_EQ(bitmap.pixel(0, y), qRgb(255, 255, 255));
        EXPECT_EQ(bitmap.pixel(1, y), qRgb(255, 248, 232));
        EXPECT_EQ(bitmap.pixel(3, y), qRgb(255, 232, 187));
    }
}

TEST(GradientFill, DiagonalFillLeavesColumnZeroUntouchedAndFollowsXPlusY) {
    QImage bitmap = markedBitmap(5, 3);
    GradientFillRect(bitmap, bitmap.rect(), 0x000000, 0x0000FF, TFillDirection::fdDiagonal);
    const auto colors = gradientLineColors(0x000000, 0x0000FF, 8);
    for (int y = 0; y < 3; ++y) {
        EXPECT_EQ(bitmap.pixel(0, y), Marker) << "y " << y;
        for (int x = 1; x < 5; ++x)
            EXPECT_EQ(bitmap.pixel(x, y), colors[static_cast<std::size_t>(x + y)]);
    }
    EXPECT_NE(colors[1], colors[7]);
}

TEST(GradientFill, ZeroStepsPaintsWithoutFailing) {
    // A height of 0 leaves no row; a width of 0 with a vertical fill still has the one start line.
    const auto colors = gradientLineColors(DesertFace, DesertGrad, 0);
    ASSERT_EQ(colors.size(), 1u);
    EXPECT_EQ(colors[0], qRgb(255, 255, 255));
    QImage empty = markedBitmap(4, 4);
    GradientFillRect(empty, QRect(0, 0, 0, 0), DesertFace, DesertGrad, TFillDirection::fdDiagonal);
    EXPECT_EQ(empty, markedBitmap(4, 4));
    QImage flat = markedBitmap(4, 4);
    GradientFillRect(flat, QRect(0, 0, 4, 0), DesertFace, DesertGrad, TFillDirection::fdVertical);
    EXPECT_EQ(flat, markedBitmap(4, 4));
}

TEST(GradientFill, SystemColourValueIsSplitBytewise) {
    const auto colors = gradientLineColors(0xFF000012, 0x000000, 2);
    EXPECT_EQ(colors[0], qRgb(0x12, 0, 0));
}

TEST(GradientFill, RoundsHalvesToTheEvenNeighbour) {
    // Red steps by 0.5 from 0: 0, 0.5, 1, 1.5, 2 round to 0, 0, 1, 2, 2.
    const auto colors = gradientLineColors(0x000000, 0x000002, 4);
    const int expected[] = {0, 0, 1, 2, 2};
    for (std::size_t i = 0; i < 5; ++i)
        EXPECT_EQ(qRed(colors[i]), expected[i]) << "line " << i;
}

} // namespace
} // namespace orvandel
