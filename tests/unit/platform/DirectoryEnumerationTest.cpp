#include "platform/DirectoryEnumeration.h"

#include "TestFolder.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace orvandel::platform;

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
