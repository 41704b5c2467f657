#include "desktop/linux/wallpaper/WallpaperRenderer.h"

#include "common/Error.h"

#include <gtest/gtest.h>

#include <cstdlib>

using orvandel::desktop::renderWallpaper;
using orvandel::desktop::WallpaperPlacement;

namespace {

// Every pixel its own colour, so a shifted or mirrored copy shows.
QImage numberedPicture(int width, int height) {
    QImage picture(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.setPixel(x, y, qRgb(x * 5 % 256, y * 7 % 256, (x + y) % 256));
    return picture;
}

bool near(QRgb actual, QRgb expected, int tolerance) {
    return std::abs(qRed(actual) - qRed(expected)) <= tolerance &&
           std::abs(qGreen(actual) - qGreen(expected)) <= tolerance &&
           std::abs(qBlue(actual) - qBlue(expected)) <= tolerance;
}

TEST(WallpaperRendererTest, CentredPictureSitsInTheMiddleOnBlack) {
    const QImage picture = numberedPicture(3, 2);
    const QImage screen = renderWallpaper(picture, {8, 5}, WallpaperPlacement::Center);
    ASSERT_EQ(screen.size(), QSize(8, 5));
    ASSERT_EQ(screen.format(), QImage::Format_RGB32);
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 8; ++x) {
            const bool inside = x >= 2 && x < 5 && y >= 1 && y < 3;
            const QRgb expected = inside ? picture.pixel(x - 2, y - 1) : qRgb(0, 0, 0);
            EXPECT_EQ(screen.pixel(x, y), expected) << x << "," << y;
        }
    }
}

TEST(WallpaperRendererTest, CentredPictureLargerThanTheScreenShowsItsMiddle) {
    const QImage picture = numberedPicture(47, 33);
    const QImage screen = renderWallpaper(picture, {20, 10}, WallpaperPlacement::Center);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 20; ++x)
            ASSERT_EQ(screen.pixel(x, y), picture.pixel(x + 13, y + 11)) << x << "," << y;
}

TEST(WallpaperRendererTest, TilesRepeatFromTheTopLeftCorner) {
    const QImage picture = numberedPicture(47, 33);
    const QImage screen = renderWallpaper(picture, {101, 70}, WallpaperPlacement::Tile);
    for (int y = 0; y < 70; ++y)
        for (int x = 0; x < 101; ++x)
            ASSERT_EQ(screen.pixel(x, y), picture.pixel(x % 47, y % 33)) << x << "," << y;
}

// Picking pixels would give black or white; averaging the covered area gives grey.
TEST(WallpaperRendererTest, StretchDownAveragesTheCoveredArea) {
    QImage checkerboard(94, 66, QImage::Format_RGB32);
    for (int y = 0; y < 66; ++y)
        for (int x = 0; x < 94; ++x)
            checkerboard.setPixel(x, y, (x + y) % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
    const QImage screen = renderWallpaper(checkerboard, {47, 33}, WallpaperPlacement::Stretch);
    ASSERT_EQ(screen.size(), QSize(47, 33));
    for (int y = 1; y < 32; ++y)
        for (int x = 1; x < 46; ++x)
            ASSERT_TRUE(near(screen.pixel(x, y), qRgb(128, 128, 128), 8)) << x << "," << y;
}

TEST(WallpaperRendererTest, StretchUpKeepsEachQuarterItsColourAndBlendsTheSeams) {
    QImage quarters(2, 2, QImage::Format_ARGB32);
    quarters.setPixel(0, 0, qRgb(255, 0, 0));
    quarters.setPixel(1, 0, qRgb(0, 255, 0));
    quarters.setPixel(0, 1, qRgb(0, 0, 255));
    quarters.setPixel(1, 1, qRgb(255, 255, 255));
    const QImage screen = renderWallpaper(quarters, {64, 36}, WallpaperPlacement::Stretch);
    ASSERT_EQ(screen.format(), QImage::Format_RGB32);
    EXPECT_TRUE(near(screen.pixel(2, 2), qRgb(255, 0, 0), 12));
    EXPECT_TRUE(near(screen.pixel(61, 2), qRgb(0, 255, 0), 12));
    EXPECT_TRUE(near(screen.pixel(2, 33), qRgb(0, 0, 255), 12));
    EXPECT_TRUE(near(screen.pixel(61, 33), qRgb(255, 255, 255), 12));
    // Bilinear: half way between red and green at the top seam.
    EXPECT_TRUE(near(screen.pixel(32, 2), qRgb(128, 128, 0), 40));
}

TEST(WallpaperRendererTest, EmptyPictureRaises) {
    EXPECT_THROW(renderWallpaper(QImage(), {10, 10}, WallpaperPlacement::Center), orvandel::Error);
}

} // namespace
