#include "logic/import/AlbumImport.h"

#include "CodecFixtures.h"
#include "TestFolder.h"
#include "common/Error.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <jpeglib.h>

#include <cstdio>

using orvandel::addPictureToAlbum;

namespace {

struct JpegFacts {
    int width = 0;
    int height = 0;
    int components = 0;
    bool progressive = true;
};

// What libjpeg itself reads from the file's header.
JpegFacts readJpegFacts(const QString& path) {
    JpegFacts facts;
    FILE* file = std::fopen(QFile::encodeName(path).constData(), "rb");
    if (file == nullptr)
        return facts;
    jpeg_decompress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, file);
    jpeg_read_header(&info, TRUE);
    facts = {static_cast<int>(info.image_width), static_cast<int>(info.image_height),
             info.num_components, info.progressive_mode != 0};
    jpeg_destroy_decompress(&info);
    std::fclose(file);
    return facts;
}

} // namespace

TEST(AlbumImport, WritesABaselineColourJpegNamedByTheCounter) {
    TestFolder folder;
    const QString album = folder.makeFolder(QStringLiteral("Images/Espace")) + u'/';
    const orvandel::AddedPicture added =
        addPictureToAlbum(fixtures::smoothPicture(47, 33), album, QStringLiteral("57"));
    EXPECT_EQ(added.path, album + QStringLiteral("57.jpg"));
    EXPECT_EQ(added.nextCounter, QStringLiteral("58"));
    const JpegFacts facts = readJpegFacts(added.path);
    EXPECT_EQ(facts.width, 47);
    EXPECT_EQ(facts.height, 33);
    EXPECT_EQ(facts.components, 3);
    EXPECT_FALSE(facts.progressive);
}

TEST(AlbumImport, NeverReplacesAPictureAndCountsUpToAFreeName) {
    TestFolder folder;
    const QString album = folder.makeFolder(QStringLiteral("Images/Espace")) + u'/';
    folder.write(QStringLiteral("Images/Espace/57.jpg"), "old picture");
    folder.write(QStringLiteral("Images/Espace/58.jpg"), "older picture");
    const orvandel::AddedPicture added =
        addPictureToAlbum(fixtures::smoothPicture(), album, QStringLiteral("57"));
    EXPECT_EQ(added.path, album + QStringLiteral("59.jpg"));
    EXPECT_EQ(added.nextCounter, QStringLiteral("60"));
    EXPECT_EQ(folder.read(QStringLiteral("Images/Espace/57.jpg")), QByteArray("old picture"));
    EXPECT_EQ(folder.read(QStringLiteral("Images/Espace/58.jpg")), QByteArray("older picture"));
}

TEST(AlbumImport, ACounterThatIsNoNumberNamesTheFileButGivesNoNextCounter) {
    TestFolder folder;
    const QString album = folder.makeFolder(QStringLiteral("Images/Nature")) + u'/';
    const orvandel::AddedPicture added =
        addPictureToAlbum(fixtures::smoothPicture(), album, QStringLiteral("abc"));
    EXPECT_EQ(added.path, album + QStringLiteral("abc.jpg"));
    EXPECT_FALSE(added.nextCounter.has_value());
    EXPECT_THROW(addPictureToAlbum(fixtures::smoothPicture(), album, QStringLiteral("abc")),
                 orvandel::Error);
}

TEST(AlbumImport, FailuresLeaveNothingBehind) {
    TestFolder folder;
    const QString missing = folder.filePath(QStringLiteral("Images/Nowhere/"));
    EXPECT_THROW(addPictureToAlbum(fixtures::smoothPicture(), missing, QStringLiteral("1")),
                 orvandel::Error);
    const QString album = folder.makeFolder(QStringLiteral("Images/Nature")) + u'/';
    EXPECT_THROW(addPictureToAlbum(QImage(), album, QStringLiteral("1")), orvandel::Error);
    EXPECT_TRUE(
        QDir(album).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).isEmpty());
}
