#include "logic/slideshow/FindFiles.h"

#include "TestFolder.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <algorithm>

using orvandel::kvFilesUtils::FindFiles;

namespace {

const QString SlideShowTypes = QStringLiteral(".bmp; .jpg; .png");

QStringList found(const QString& folder, const QString& files, bool subFolders) {
    QStringList list;
    FindFiles(folder, files, list, subFolders);
    return list;
}

// The folder's own order, which FindFiles must keep.
QStringList enumerationOrder(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                                  QDir::Unsorted);
}

} // namespace

TEST(FindFiles, MatchesExtensionsAsSubstringsOfTheListInAnyCase) {
    TestFolder folder;
    for (const char* name : {"a.JPG", "b.jpeg", "c.png", "d", "e.pn", ".f.jpg"})
        folder.write(QString::fromLatin1(name), "x");
    QStringList expected;
    for (const QString& name : enumerationOrder(folder.path()))
        if (name == QStringLiteral("a.JPG") || name == QStringLiteral("c.png") ||
            name == QStringLiteral("e.pn"))
            expected.append(folder.path() + name);
    EXPECT_EQ(found(folder.path(), SlideShowTypes, false), expected);
}

TEST(FindFiles, StarDotStarTakesEveryFileButNoDotName) {
    TestFolder folder;
    for (const char* name : {"a.JPG", "noextension", ".hidden"})
        folder.write(QString::fromLatin1(name), "x");
    QStringList list = found(folder.path(), QStringLiteral("*.*"), false);
    std::sort(list.begin(), list.end());
    EXPECT_EQ(list, (QStringList{folder.filePath(QStringLiteral("a.JPG")),
                                 folder.filePath(QStringLiteral("noextension"))}));
}

TEST(FindFiles, WalksSubFoldersDepthFirstInTheFoldersOwnOrder) {
    TestFolder folder;
    folder.write(QStringLiteral("a.jpg"), "x");
    folder.write(QStringLiteral("b/x.png"), "x");
    folder.write(QStringLiteral("b/deeper/y.bmp"), "x");
    folder.write(QStringLiteral("c.jpg"), "x");
    QStringList expected;
    for (const QString& name : enumerationOrder(folder.path())) {
        if (name != QStringLiteral("b")) {
            expected.append(folder.path() + name);
            continue;
        }
        for (const QString& inner : enumerationOrder(folder.filePath(QStringLiteral("b")))) {
            if (inner == QStringLiteral("deeper"))
                expected.append(folder.filePath(QStringLiteral("b/deeper/y.bmp")));
            else
                expected.append(folder.filePath(QStringLiteral("b/")) + inner);
        }
    }
    EXPECT_EQ(found(folder.path(), SlideShowTypes, true), expected);
    EXPECT_EQ(found(folder.path(), SlideShowTypes, false).size(), 2);
}

TEST(FindFiles, ALinkBackIntoTheTreeEndsTheWalk) {
    TestFolder folder;
    folder.write(QStringLiteral("photos/a.jpg"), "x");
    ASSERT_TRUE(QFile::link(folder.filePath(QStringLiteral("photos")),
                            folder.filePath(QStringLiteral("photos/again"))));
    EXPECT_EQ(found(folder.filePath(QStringLiteral("photos")), SlideShowTypes, true),
              QStringList{folder.filePath(QStringLiteral("photos/a.jpg"))});
}

TEST(FindFiles, AddsNothingForAMissingOrEmptyFolderAndNeverClears) {
    TestFolder folder;
    QStringList list{QStringLiteral("kept")};
    FindFiles(folder.filePath(QStringLiteral("missing")), SlideShowTypes, list, true);
    FindFiles(QString(), SlideShowTypes, list, true);
    EXPECT_EQ(list, QStringList{QStringLiteral("kept")});
}

// Names from an old archive, in Windows-1252: each found path opens the file it names.
TEST(FindFiles, NamesThatAreNotUtf8AreFoundByTheirOwnBytes) {
    TestFolder folder;
    const QString top = folder.writeNative("archive\xe9/caf\xe9.jpg", "x");
    const QString deep = folder.writeNative("archive\xe9/\xe9t\xe9/plage.png", "x");
    folder.writeNative("archive\xe9/notes\xe9.txt", "x");
    QStringList list = found(folder.path() + heldName("archive\xe9"), SlideShowTypes, true);
    list.sort();
    EXPECT_EQ(list, (QStringList{top, deep}));
}
