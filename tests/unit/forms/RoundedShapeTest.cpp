#include "forms/common/RoundedShape.h"

#include <QWidget>

#include <gtest/gtest.h>

using orvandel::roundedRectangleRegion;

TEST(RoundedShape, CutsEachCornerAlongTheEllipseAndKeepsTheEdges) {
    const QRegion region = roundedRectangleRegion(QSize(548, 442), 30, 30);
    for (const QPoint corner : {QPoint(0, 0), QPoint(547, 0), QPoint(0, 441), QPoint(547, 441),
                                QPoint(3, 3), QPoint(544, 438)})
        EXPECT_FALSE(region.contains(corner)) << corner.x() << "," << corner.y();
    for (const QPoint inside : {QPoint(15, 0), QPoint(532, 0), QPoint(0, 15), QPoint(547, 426),
                                QPoint(274, 441), QPoint(10, 10), QPoint(274, 221)})
        EXPECT_TRUE(region.contains(inside)) << inside.x() << "," << inside.y();
    EXPECT_EQ(region.boundingRect(), QRect(0, 0, 548, 442));
}

TEST(RoundedShape, IsSymmetricLeftToRightAndTopToBottom) {
    const QSize size(101, 67);
    const QRegion region = roundedRectangleRegion(size, 20, 20);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x) {
            const bool here = region.contains(QPoint(x, y));
            ASSERT_EQ(here, region.contains(QPoint(size.width() - 1 - x, y))) << x << "," << y;
            ASSERT_EQ(here, region.contains(QPoint(x, size.height() - 1 - y))) << x << "," << y;
        }
}

TEST(RoundedShape, HandlesEllipsesLargerThanTheWindowAndEmptyWindows) {
    const QRegion pill = roundedRectangleRegion(QSize(40, 10), 30, 30);
    EXPECT_TRUE(pill.contains(QPoint(20, 5)));
    EXPECT_FALSE(pill.contains(QPoint(0, 0)));
    EXPECT_TRUE(roundedRectangleRegion(QSize(0, 10), 30, 30).isEmpty());
}

TEST(RoundedShape, AppliesToTheWindowAtItsCurrentSize) {
    QWidget window;
    window.resize(200, 100);
    orvandel::applyRoundedShape(window, 30, 30);
    EXPECT_EQ(window.mask(), roundedRectangleRegion(QSize(200, 100), 30, 30));
    window.resize(300, 150);
    orvandel::applyRoundedShape(window, 20, 20);
    EXPECT_EQ(window.mask().boundingRect(), QRect(0, 0, 300, 150));
}
