#include "logic/albums/AlbumListing.h"

#include "TestFolder.h"
#include "logic/settings/ProgramState.h"
#include "system/DirectoryEnumeration.h"

#include <QFile>

#include <gtest/gtest.h>

using orvandel::FiltreImage;
using orvandel::Utils::ListerDesFichiers;

namespace {

// The names of `folder` in the order the file system gives them, kept when `keep` says so.
QStringList enumerationOrder(const QString& folder, const QStringList& keep) {
    QStringList names;
    orvandel::system::enumerateDirectory(folder, [&](const auto& entry) {
        if (keep.contains(entry.name))
            names.append(entry.name);
    });
    return names;
}

} // namespace

TEST(ListerDesFichiers, KeepsTheFourExtensionsInTheFileSystemOrder) {
    TestFolder album;
    for (const char* name : {"a.JPG", "b.png", "c.txt", "d.jpeg", "f.Gif", "g.bmp", "noext", "h.",
                             "archive.tar.jpg", ".jpg", ".hidden.png", "jpg"})
        album.write(name, "x");
    album.makeFolder("e");
    QStringList listed;
    ListerDesFichiers(album.path(), FiltreImage, false, listed);
    const QStringList pictures{"a.JPG",           "b.png", "f.Gif",      "g.bmp",
                               "archive.tar.jpg", ".jpg",  ".hidden.png"};
    EXPECT_EQ(listed, enumerationOrder(album.path(), pictures));
    EXPECT_EQ(listed.size(), pictures.size());
}

TEST(ListerDesFichiers, AFolderNamedLikeAPictureIsListedWhenNotDescending) {
    TestFolder album;
    album.makeFolder("vacances.jpg");
    album.write("vacances.jpg/inside.png", "x");
    QStringList listed;
    ListerDesFichiers(album.path(), FiltreImage, false, listed);
    EXPECT_EQ(listed, QStringList{"vacances.jpg"});
}

TEST(ListerDesFichiers, DescendsIntoSubFoldersAppendingBareNames) {
    TestFolder album;
    album.write("top.png", "x");
    album.write("one/two/deep.jpg", "x");
    album.write("one/mid.bmp", "x");
    QStringList listed;
    ListerDesFichiers(album.path(), FiltreImage, true, listed);
    listed.sort();
    EXPECT_EQ(listed, (QStringList{"deep.jpg", "mid.bmp", "top.png"}));
}

TEST(ListerDesFichiers, ALinkBackUpTheTreeDoesNotLoop) {
    TestFolder album;
    album.write("one/a.jpg", "x");
    ASSERT_TRUE(QFile::link(album.path(), album.filePath("one/back")));
    QStringList listed;
    ListerDesFichiers(album.path(), FiltreImage, true, listed);
    EXPECT_EQ(listed, QStringList{"a.jpg"});
}

TEST(ListerDesFichiers, AppendsWithoutClearingAndAddsTheSeparator) {
    TestFolder album;
    album.write("a.jpg", "x");
    QStringList listed{"already.png"};
    ListerDesFichiers(album.path().chopped(1), FiltreImage, false, listed);
    EXPECT_EQ(listed, (QStringList{"already.png", "a.jpg"}));
}

TEST(ListerDesFichiers, AMissingFolderAppendsNothing) {
    TestFolder album;
    QStringList listed{"kept.jpg"};
    ListerDesFichiers(album.filePath("missing/"), FiltreImage, false, listed);
    EXPECT_EQ(listed, QStringList{"kept.jpg"});
}
