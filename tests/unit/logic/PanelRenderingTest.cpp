#include "logic/slideshow/PanelRendering.h"

#include "PictureFixtures.h"

#include <gtest/gtest.h>

using namespace orvandel;

namespace {

struct ProportionalCase {
    QSize picture;
    QSize panel;
    QRect target; // left, top, right and bottom exclusive, as the panels give them
};

QRect edges(int left, int top, int right, int bottom) {
    return {left, top, right - left, bottom - top};
}

QImage flat(QSize size, QColor colour) {
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(colour);
    return picture;
}

} // namespace

TEST(PanelRendering, ProportionalTargetsKeepTheAspectAndTruncate) {
    const ProportionalCase cases[] = {
        {{1920, 1080}, {866, 585}, edges(0, 49, 866, 536)},
        {{600, 800}, {866, 585}, edges(214, 0, 652, 585)},
        {{500, 500}, {300, 600}, edges(0, 150, 300, 450)},
        {{400, 600}, {866, 600}, edges(233, 0, 632, 600)},
        {{1000, 600}, {1000, 800}, edges(0, 100, 1000, 699)},
    };
    for (const ProportionalCase& test : cases)
        EXPECT_EQ(proportionalTarget(test.picture, test.panel), test.target)
            << test.picture.width() << "x" << test.picture.height();
}

TEST(PanelRendering, CentredOffsetsTruncateTowardZero) {
    EXPECT_EQ(centredOrigin(QSize(301, 10), QSize(100, 10)), QPoint(-100, 0));
    EXPECT_EQ(centredOrigin(QSize(10, 10), QSize(101, 31)), QPoint(45, 10));
}

TEST(PanelRendering, CentredAndProportionalLeaveMarginsInThePanelsColour) {
    const QColor margin(10, 20, 30);
    const QImage picture = flat(QSize(40, 20), Qt::white);
    const QImage centred = renderBrushBitmap(picture, psCenter, QSize(100, 60), margin);
    EXPECT_EQ(centred.size(), QSize(100, 60));
    EXPECT_EQ(centred.pixel(29, 30), margin.rgb());
    EXPECT_EQ(centred.pixel(30, 30), qRgb(255, 255, 255));
    EXPECT_EQ(centred.pixel(69, 39), qRgb(255, 255, 255));
    EXPECT_EQ(centred.pixel(70, 30), margin.rgb());

    const QImage proportional = renderBrushBitmap(picture, psProportional, QSize(100, 60), margin);
    EXPECT_EQ(proportional.pixel(50, 4), margin.rgb());
    EXPECT_EQ(proportional.pixel(50, 30), qRgb(255, 255, 255));
    EXPECT_EQ(renderBrushBitmap(QImage(), psProportional, QSize(100, 60), margin).pixel(50, 30),
              margin.rgb());
}

TEST(PanelRendering, MosaicTilesUpTo1280By1024AndStretchesBeyond) {
    const QColor margin(0, 0, 0);
    EXPECT_EQ(renderBrushBitmap(flat(QSize(1280, 1024), Qt::red), psMosaic, QSize(300, 200), margin)
                  .size(),
              QSize(1280, 1024));
    EXPECT_EQ(renderBrushBitmap(flat(QSize(1281, 1024), Qt::red), psMosaic, QSize(300, 200), margin)
                  .size(),
              QSize(300, 200));
    EXPECT_EQ(renderBrushBitmap(fixtures::patternPicture(47, 33), psMosaic, QSize(300, 200), margin)
                  .size(),
              QSize(47, 33));
}

TEST(PanelRendering, StretchCoversTheWholePanel) {
    const QImage stretched =
        renderBrushBitmap(flat(QSize(47, 33), Qt::blue), psStretch, QSize(300, 200), Qt::black);
    EXPECT_EQ(stretched.size(), QSize(300, 200));
    EXPECT_EQ(stretched.pixel(0, 0), qRgb(0, 0, 255));
    EXPECT_EQ(stretched.pixel(299, 199), qRgb(0, 0, 255));
}
