#include "imaging/codecs/BmpWriter.h"

#include "FileSizeLimit.h"
#include "PictureFixtures.h"
#include "TestFolder.h"
#include "common/Error.h"
#include "imaging/codecs/BmpDecoder.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using orvandel::imaging::decodeBmp;
using orvandel::imaging::writeBmp24;

namespace {

std::uint32_t uint32At(const QByteArray& bytes, qsizetype offset) {
    std::uint32_t value = 0;
    for (int byte = 3; byte >= 0; --byte)
        value = (value << 8) | static_cast<unsigned char>(bytes[offset + byte]);
    return value;
}

std::uint16_t uint16At(const QByteArray& bytes, qsizetype offset) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[offset]) |
                                      (static_cast<unsigned char>(bytes[offset + 1]) << 8));
}

QStringList entriesOf(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

TEST(BmpWriter, RoundTripKeepsEveryPixelOfAnOddWidthPicture) {
    TestFolder folder;
    const QImage picture = fixtures::patternPicture(47, 33);
    writeBmp24(picture, folder.filePath("picture.bmp"));
    const QImage decoded = decodeBmp(fixtures::view(folder.read("picture.bmp")));
    EXPECT_EQ(decoded.format(), QImage::Format_RGB32);
    EXPECT_EQ(decoded, picture);
}

TEST(BmpWriter, WritesA24BitBottomUpInfoHeader) {
    TestFolder folder;
    writeBmp24(fixtures::patternPicture(47, 33), folder.filePath("picture.bmp"));
    const QByteArray file = folder.read("picture.bmp");
    const std::uint32_t stride = 144; // 47 × 3 = 141, padded to 4 bytes
    ASSERT_EQ(file.size(), 54 + stride * 33);
    EXPECT_EQ(file.left(2), QByteArray("BM"));
    EXPECT_EQ(uint32At(file, 2), file.size());
    EXPECT_EQ(uint32At(file, 10), 54U);
    EXPECT_EQ(uint32At(file, 14), 40U);
    EXPECT_EQ(uint32At(file, 18), 47U);
    EXPECT_EQ(uint32At(file, 22), 33U);
    EXPECT_EQ(uint16At(file, 26), 1);
    EXPECT_EQ(uint16At(file, 28), 24);
    EXPECT_EQ(uint32At(file, 30), 0U);
    EXPECT_EQ(uint32At(file, 34), stride * 33);
    EXPECT_EQ(uint32At(file, 38), 2835U);
    EXPECT_EQ(uint32At(file, 42), 2835U);
    // The first stored row is the bottom one, and its padding is zero.
    const QRgb bottomLeft = fixtures::patternPicture(47, 33).pixel(0, 32);
    EXPECT_EQ(static_cast<unsigned char>(file[54]), qBlue(bottomLeft));
    EXPECT_EQ(static_cast<unsigned char>(file[56]), qRed(bottomLeft));
    EXPECT_EQ(file.mid(54 + 141, 3), QByteArray(3, '\0'));
}

TEST(BmpWriter, CompositesTransparentPixelsOnBlack) {
    TestFolder folder;
    QImage picture(3, 1, QImage::Format_ARGB32);
    picture.setPixel(0, 0, qRgba(255, 0, 0, 0));
    picture.setPixel(1, 0, qRgba(200, 100, 50, 128));
    picture.setPixel(2, 0, qRgba(10, 20, 30, 255));
    writeBmp24(picture, folder.filePath("alpha.bmp"));
    const QImage decoded = decodeBmp(fixtures::view(folder.read("alpha.bmp")));
    EXPECT_EQ(decoded.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(decoded.pixel(1, 0), qRgb(100, 50, 25));
    EXPECT_EQ(decoded.pixel(2, 0), qRgb(10, 20, 30));
}

TEST(BmpWriter, AcceptsAnyPictureFormat) {
    TestFolder folder;
    const QImage source = fixtures::patternPicture(9, 5);
    for (const QImage::Format format :
         {QImage::Format_Indexed8, QImage::Format_Grayscale8, QImage::Format_RGB16,
          QImage::Format_RGB888, QImage::Format_ARGB32_Premultiplied}) {
        const QImage picture = source.convertToFormat(format);
        writeBmp24(picture, folder.filePath("converted.bmp"));
        const QImage decoded = decodeBmp(fixtures::view(folder.read("converted.bmp")));
        EXPECT_EQ(decoded, picture.convertToFormat(QImage::Format_RGB32)) << format;
    }
}

TEST(BmpWriter, ReplacesAnExistingFileWholly) {
    TestFolder folder;
    folder.write("picture.bmp", QByteArray(100000, 'x'));
    writeBmp24(fixtures::patternPicture(3, 2), folder.filePath("picture.bmp"));
    const QByteArray file = folder.read("picture.bmp");
    EXPECT_EQ(file.size(), 54 + 12 * 2);
    EXPECT_EQ(decodeBmp(fixtures::view(file)), fixtures::patternPicture(3, 2));
    EXPECT_EQ(entriesOf(folder.path()), QStringList{"picture.bmp"});
}

TEST(BmpWriter, AMissingFolderThrowsAndCreatesNothing) {
    TestFolder folder;
    EXPECT_THROW(writeBmp24(fixtures::patternPicture(), folder.filePath("missing/picture.bmp")),
                 orvandel::Error);
    EXPECT_TRUE(entriesOf(folder.path()).isEmpty());
}

TEST(BmpWriter, AFailedWriteKeepsTheOldFileAndLeavesNoTemporary) {
    TestFolder folder;
    folder.write("picture.bmp", "old content");
    {
        FileSizeLimit fullDisk(1000);
        EXPECT_THROW(writeBmp24(fixtures::patternPicture(), folder.filePath("picture.bmp")),
                     orvandel::Error);
    }
    EXPECT_EQ(folder.read("picture.bmp"), QByteArray("old content"));
    EXPECT_EQ(entriesOf(folder.path()), QStringList{"picture.bmp"});
}

TEST(BmpWriter, RefusesAnEmptyPicture) {
    TestFolder folder;
    EXPECT_THROW(writeBmp24(QImage(), folder.filePath("empty.bmp")), orvandel::Error);
    EXPECT_FALSE(QFile::exists(folder.filePath("empty.bmp")));
}

} // namespace
