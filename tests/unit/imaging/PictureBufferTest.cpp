#include "imaging/PictureBuffer.h"

#include "common/Error.h"

#include <gtest/gtest.h>

using orvandel::imaging::newPicture;

TEST(NewPicture, SmallAndLargePicturesAreWritableAndIndependentCopies) {
    for (const QSize size : {QSize(47, 33), QSize(3001, 2003)}) {
        QImage picture =
            newPicture(size.width(), size.height(), QImage::Format_RGB32, QStringLiteral("test"));
        ASSERT_EQ(picture.size(), size);
        EXPECT_GE(picture.bytesPerLine(), size.width() * 4);
        picture.fill(Qt::red);
        QImage copy = picture;
        copy.setPixel(size.width() - 1, size.height() - 1, qRgb(0, 0, 255));
        EXPECT_EQ(picture.pixel(size.width() - 1, size.height() - 1), qRgb(255, 0, 0));
        EXPECT_EQ(copy.pixel(size.width() - 1, size.height() - 1), qRgb(0, 0, 255));
    }
}

TEST(NewPicture, RefusesEmptyAndHugeSizes) {
    // Few pixels, but a row too wide for the toolkit.
    EXPECT_THROW(newPicture(83886093, 1, QImage::Format_RGB32, QStringLiteral("test")),
                 orvandel::Error);
    EXPECT_THROW(newPicture(0, 10, QImage::Format_RGB32, QStringLiteral("test")), orvandel::Error);
    EXPECT_THROW(newPicture(100000, 100000, QImage::Format_RGB32, QStringLiteral("test")),
                 orvandel::Error);
}
