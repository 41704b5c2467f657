#include "imaging/Stretch.h"

#include "PictureFixtures.h"

#include <gtest/gtest.h>

#include <cstdlib>

using orvandel::imaging::stretchPicture;

namespace {

QImage flat(QSize size, QColor colour) {
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(colour);
    return picture;
}

int channelDistance(QRgb a, QRgb b) {
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                     std::abs(qBlue(a) - qBlue(b))});
}

} // namespace

TEST(Stretch, GivesExactlyTheAskedSizeWhateverTheAspect) {
    const QImage source = fixtures::patternPicture(47, 33);
    for (const QSize size : {QSize(1920, 1080), QSize(20, 300), QSize(47, 33), QSize(1, 1)})
        EXPECT_EQ(stretchPicture(source, size).size(), size);
}

TEST(Stretch, KeepsAFlatColourFlatBothWays) {
    const QColor colour(200, 100, 37);
    for (const QSize size : {QSize(13, 7), QSize(301, 211), QSize(60, 5)}) {
        const QImage result = stretchPicture(flat(QSize(47, 33), colour), size);
        for (int y = 0; y < result.height(); ++y)
            for (int x = 0; x < result.width(); ++x)
                ASSERT_EQ(result.pixel(x, y), colour.rgb()) << x << "," << y;
    }
}

TEST(Stretch, AShrinkAveragesTheCoveredPixels) {
    // Black and white columns averaged in pairs give mid-grey, not one of the two.
    QImage stripes(8, 2, QImage::Format_RGB32);
    for (int x = 0; x < 8; ++x)
        for (int y = 0; y < 2; ++y)
            stripes.setPixel(x, y, x % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
    const QImage half = stretchPicture(stripes, QSize(4, 1));
    for (int x = 0; x < 4; ++x)
        EXPECT_LE(channelDistance(half.pixel(x, 0), qRgb(128, 128, 128)), 1) << x;
}

TEST(Stretch, AGrowthInterpolatesBetweenNeighbours) {
    QImage pair(2, 1, QImage::Format_RGB32);
    pair.setPixel(0, 0, qRgb(0, 0, 0));
    pair.setPixel(1, 0, qRgb(200, 200, 200));
    const QImage wide = stretchPicture(pair, QSize(8, 1));
    EXPECT_EQ(wide.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(wide.pixel(7, 0), qRgb(200, 200, 200));
    for (int x = 1; x < 8; ++x)
        EXPECT_GE(qRed(wide.pixel(x, 0)), qRed(wide.pixel(x - 1, 0))) << x;
    EXPECT_LE(channelDistance(wide.pixel(3, 0), qRgb(75, 75, 75)), 1);
}

TEST(Stretch, AnEmptyPictureOrSizeGivesNothing) {
    EXPECT_TRUE(stretchPicture(QImage(), QSize(10, 10)).isNull());
    EXPECT_TRUE(stretchPicture(fixtures::patternPicture(), QSize(0, 10)).isNull());
}
