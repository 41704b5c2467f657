#include "imaging/PictureLoader.h"

#include "PictureFixtures.h"
#include "TestFolder.h"
#include "common/Error.h"
#include "imaging/codecs/BmpWriter.h"
#include "imaging/codecs/JpegEncoder.h"

#include <gtest/gtest.h>

using namespace orvandel::imaging;

namespace {

QString errorOf(const QString& path) {
    try {
        loadPicture(path);
    } catch (const orvandel::Error& error) {
        return error.message();
    }
    return {};
}

} // namespace

TEST(PictureLoader, ChoosesTheDecoderByExtensionInAnyCase) {
    TestFolder folder;
    const QImage picture = fixtures::patternPicture();
    writeBmp24(picture, folder.filePath("a.BmP"));
    writeJpeg(picture, folder.filePath("b.JPEG"));
    EXPECT_EQ(loadPicture(folder.filePath("a.BmP")), picture);
    EXPECT_EQ(loadPicture(folder.filePath("b.JPEG")).size(), picture.size());
    // The content does not choose the decoder: a JPEG named .bmp is a damaged BMP.
    folder.write("c.bmp", folder.read("b.JPEG"));
    EXPECT_FALSE(errorOf(folder.filePath("c.bmp")).isEmpty());
}

TEST(PictureLoader, OtherExtensionsAndMissingFilesNameTheFile) {
    TestFolder folder;
    const QString gif = folder.write("anim.gif", "GIF89a");
    EXPECT_EQ(errorOf(gif),
              QStringLiteral("Extension de fichier image inconnue (.gif) : %1").arg(gif));
    const QString noExtension = folder.write("folder.d/picture", "x");
    EXPECT_TRUE(errorOf(noExtension).contains(noExtension));
    const QString missing = folder.filePath("missing.png");
    EXPECT_TRUE(errorOf(missing).contains(missing));
}

TEST(PictureLoader, ABoundedLoadScalesJpegOnly) {
    TestFolder folder;
    const QImage picture = fixtures::patternPicture(800, 600);
    writeJpeg(picture, folder.filePath("big.jpg"));
    writeBmp24(picture, folder.filePath("big.bmp"));
    EXPECT_EQ(loadPictureBounded(folder.filePath("big.jpg"), QSize(200, 150)).size(),
              QSize(200, 150));
    EXPECT_EQ(loadPictureBounded(folder.filePath("big.jpg"), QSize(201, 150)).size(),
              QSize(300, 225));
    EXPECT_EQ(loadPictureBounded(folder.filePath("big.bmp"), QSize(200, 150)).size(),
              QSize(800, 600));
}

// "café.bmp" from an old archive, its name in Windows-1252: opened by its own bytes, and named
// in messages by the path that opens it.
TEST(PictureLoader, ANameThatIsNotUtf8IsOpenedAndNamed) {
    TestFolder folder;
    const QImage picture = fixtures::patternPicture();
    writeBmp24(picture, folder.filePath("source.bmp"));
    const QString path = folder.writeNative("archive\xe9/caf\xe9.bmp", folder.read("source.bmp"));
    EXPECT_EQ(loadPicture(path), picture);
    EXPECT_EQ(loadPictureBounded(path, QSize(10, 10)), picture);

    const QString missing = path.chopped(4) + QStringLiteral(" 2.bmp");
    EXPECT_TRUE(errorOf(missing).contains(missing));
}
