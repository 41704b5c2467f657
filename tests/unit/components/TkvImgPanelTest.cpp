#include "components/slideshow/TkvImgPanel.h"

#include "PictureFixtures.h"
#include "TestFolder.h"
#include "common/Error.h"
#include "imaging/codecs/JpegEncoder.h"

#include <gtest/gtest.h>

using namespace orvandel;

namespace {

QImage flat(QSize size, QColor colour) {
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(colour);
    return picture;
}

} // namespace

TEST(TkvImgPanel, RendersOncePerChangeIntoItsBrushBitmap) {
    TkvImgPanel panel;
    EXPECT_EQ(panel.PaintStyle(), psProportional);
    panel.SetColor(Qt::black);
    panel.resize(100, 60);
    panel.SetPicture(flat(QSize(40, 20), Qt::white));
    EXPECT_EQ(panel.BrushBitmap().size(), QSize(100, 60));
    EXPECT_EQ(panel.BrushBitmap().pixel(50, 4), qRgb(0, 0, 0));

    panel.SetPaintStyle(psMosaic);
    EXPECT_EQ(panel.BrushBitmap().size(), QSize(40, 20));
    panel.resize(200, 120);
    EXPECT_EQ(panel.BrushBitmap().size(), QSize(40, 20));
    panel.SetPaintStyle(psStretch);
    EXPECT_EQ(panel.BrushBitmap().size(), QSize(200, 120));
}

TEST(TkvImgPanel, TheSameStyleAgainRendersNothing) {
    TkvImgPanel panel;
    panel.resize(100, 60);
    panel.SetPicture(flat(QSize(40, 20), Qt::white));
    const qint64 rendered = panel.BrushBitmap().cacheKey();
    panel.SetPaintStyle(psProportional);
    EXPECT_EQ(panel.BrushBitmap().cacheKey(), rendered);
}

TEST(TkvImgPanel, APaintTilesTheMosaicFromTheTopLeftCorner) {
    TkvImgPanel panel;
    panel.resize(100, 70);
    panel.SetPaintStyle(psMosaic);
    panel.SetPicture(fixtures::patternPicture(47, 33));
    const QImage shown = panel.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage tile = fixtures::patternPicture(47, 33).convertToFormat(QImage::Format_RGB32);
    for (const QPoint point : {QPoint(0, 0), QPoint(50, 40), QPoint(99, 69), QPoint(46, 32)})
        EXPECT_EQ(shown.pixel(point), tile.pixel(point.x() % 47, point.y() % 33))
            << point.x() << "," << point.y();
}

TEST(TkvImgPanel, AFileIsDecodedNoLargerThanTheStyleNeedsAndAgainWhenItNeedsMore) {
    TestFolder folder;
    const QString path = folder.filePath(QStringLiteral("grande.jpg"));
    imaging::writeJpeg(fixtures::patternPicture(1600, 1200), path);
    TkvImgPanel panel;
    panel.resize(200, 150);
    panel.show();
    panel.LoadFromFile(path);
    EXPECT_EQ(panel.Picture().size(), QSize(200, 150));

    panel.resize(400, 300);
    EXPECT_EQ(panel.Picture().size(), QSize(400, 300));
    panel.SetPaintStyle(psCenter);
    EXPECT_EQ(panel.Picture().size(), QSize(1600, 1200));

    EXPECT_THROW(panel.LoadFromFile(folder.filePath(QStringLiteral("absente.jpg"))), Error);
}
