#include "desktop/WallpaperPicture.h"

#include "TestFolder.h"
#include "common/Error.h"
#include "common/PictureError.h"

#include <gtest/gtest.h>

using orvandel::desktop::readWallpaperPicture;

namespace {

// One red pixel: header, two-colour table, image descriptor, LZW data, trailer.
const QByteArray RedPixelGif = QByteArray::fromHex("474946383961010001008000"
                                                   "00ff0000000000"
                                                   "2c000000000100010000"
                                                   "0202440100"
                                                   "3b");

TEST(WallpaperPictureTest, ReadsAGifWhoseNameIsNotUtf8) {
    TestFolder folder;
    const QImage picture =
        readWallpaperPicture(folder.writeNative("rouge\xe9.gif", RedPixelGif), {});
    ASSERT_EQ(picture.size(), QSize(1, 1));
    EXPECT_EQ(picture.pixel(0, 0), qRgb(255, 0, 0));
}

// The desktops show GIF files, so our own drawing does too, whatever the extension's case.
TEST(WallpaperPictureTest, ReadsTheFirstFrameOfAGif) {
    TestFolder folder;
    for (const QString& name : {QStringLiteral("rouge.gif"), QStringLiteral("ROUGE.GIF")}) {
        const QImage picture = readWallpaperPicture(folder.write(name, RedPixelGif), {1920, 1080});
        ASSERT_EQ(picture.size(), QSize(1, 1)) << name.toStdString();
        EXPECT_EQ(picture.pixel(0, 0), qRgb(255, 0, 0));
    }
}

// Each is the picture's fault, which the wallpaper change tells apart from a desktop's refusal.
TEST(WallpaperPictureTest, PictureThatCannotBeReadRaisesAPictureError) {
    TestFolder folder;
    for (const QString& path :
         {folder.write(QStringLiteral("cut.gif"), RedPixelGif.left(12)),
          folder.write(QStringLiteral("cut.png"), QByteArray("\x89PNG\r\n\x1a\n", 8)),
          folder.write(QStringLiteral("notes.txt"), "texte"),
          folder.filePath(QStringLiteral("missing.jpg"))}) {
        EXPECT_THROW(readWallpaperPicture(path, {}), orvandel::PictureError) << path.toStdString();
        EXPECT_THROW(readWallpaperPicture(path, {640, 480}), orvandel::PictureError)
            << path.toStdString();
    }
}

} // namespace
