#include "system/DirectoryEnumeration.h"

#include "TestFolder.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace orvandel::system;

TEST(DirectoryEnumeration, VisitsFilesFoldersHiddenEntriesAndLinks) {
    TestFolder folder;
    folder.write("a.jpg", "x");
    folder.write(".hidden.png", "x");
    folder.makeFolder("sub.jpg");
    QFile::link(folder.filePath("sub.jpg"), folder.filePath("link"));
    QMap<QString, bool> seen;
    EXPECT_TRUE(enumerateDirectory(folder.path(), [&](const DirectoryEntry& entry) {
        seen.insert(entry.name, entry.isFolder);
    }));
    const QMap<QString, bool> expected{
        {"a.jpg", false}, {".hidden.png", false}, {"sub.jpg", true}, {"link", true}};
    EXPECT_EQ(seen, expected);
}

TEST(DirectoryEnumeration, AMissingFolderVisitsNothing) {
    TestFolder folder;
    int visits = 0;
    EXPECT_FALSE(
        enumerateDirectory(folder.filePath("missing"), [&](const DirectoryEntry&) { ++visits; }));
    EXPECT_EQ(visits, 0);
}

// A name from an old archive, "café.jpg" in Windows-1252, is listed so that it can be opened.
TEST(DirectoryEnumeration, NamesThatAreNotUtf8KeepTheirBytes) {
    TestFolder folder;
    const QString archive = folder.writeNative("archive\xe9/caf\xe9.jpg", "x");
    const QString archiveFolder = archive.left(archive.lastIndexOf(u'/') + 1);
    QStringList names;
    EXPECT_TRUE(enumerateDirectory(archiveFolder,
                                   [&](const DirectoryEntry& entry) { names.append(entry.name); }));
    EXPECT_EQ(names, QStringList{heldName("caf\xe9.jpg")});
    EXPECT_FALSE(folderIdentity(archiveFolder).isEmpty());
}
