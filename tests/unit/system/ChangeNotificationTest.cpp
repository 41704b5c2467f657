#include "system/ChangeNotification.h"

#include "TestFolder.h"

#include <QDateTime>
#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using namespace orvandel::system;
using namespace std::chrono_literals;

namespace {

// The watched folder holds a picture and a sub-folder with a picture; another folder on the same
// disk holds a picture that can be moved in.
struct Folders {
    Folders() {
        watched.write(QStringLiteral("old.jpg"), "old");
        watched.write(QStringLiteral("Sub/inner.jpg"), "inner");
        outside.write(QStringLiteral("away.jpg"), "away");
    }
    QString in(const QString& name) const { return watched.filePath(name); }

    TestFolder watched;
    TestFolder outside;
};

void rewrite(const QString& path) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("new content");
}

struct ChangeCase {
    const char* name;
    SubFolders subFolders;
    std::uint32_t filter;
    void (*change)(const Folders&);
    ChangeWait expected;
};

class ChangeNotificationKinds : public testing::TestWithParam<ChangeCase> {};

// inotify queues an event within the call that causes it, so a wait of no time tells at once
// whether a change was reported.
TEST_P(ChangeNotificationKinds, ReportOnlyTheKindsAskedFor) {
    const Folders folders;
    const auto notification = findFirstChangeNotification(folders.watched.path(),
                                                          GetParam().subFolders, GetParam().filter);
    GetParam().change(folders);
    EXPECT_EQ(notification->wait(0ms), GetParam().expected);
}

constexpr auto FileName = ChangeFilter::FileName;
constexpr auto DirectoryName = ChangeFilter::DirectoryName;
constexpr auto Signalled = ChangeWait::Signalled;
constexpr auto TimedOut = ChangeWait::TimedOut;
constexpr auto Excluded = SubFolders::Excluded;
constexpr auto Included = SubFolders::Included;

INSTANTIATE_TEST_SUITE_P(
    ChangeNotification, ChangeNotificationKinds,
    testing::Values(
        ChangeCase{"FileCreated", Excluded, FileName,
                   [](const Folders& f) { f.watched.write(QStringLiteral("new.jpg"), "x"); },
                   Signalled},
        ChangeCase{"FileDeleted", Excluded, FileName,
                   [](const Folders& f) { QFile::remove(f.in(QStringLiteral("old.jpg"))); },
                   Signalled},
        ChangeCase{"FileRenamed", Excluded, FileName,
                   [](const Folders& f) {
                       QFile::rename(f.in(QStringLiteral("old.jpg")),
                                     f.in(QStringLiteral("b.jpg")));
                   },
                   Signalled},
        ChangeCase{"FileMovedIn", Excluded, FileName,
                   [](const Folders& f) {
                       QFile::rename(f.outside.filePath(QStringLiteral("away.jpg")),
                                     f.in(QStringLiteral("away.jpg")));
                   },
                   Signalled},
        ChangeCase{"FileMovedOut", Excluded, FileName,
                   [](const Folders& f) {
                       QFile::rename(f.in(QStringLiteral("old.jpg")),
                                     f.outside.filePath(QStringLiteral("old.jpg")));
                   },
                   Signalled},
        ChangeCase{"FileOverwrittenInPlace", Excluded, FileName,
                   [](const Folders& f) { rewrite(f.in(QStringLiteral("old.jpg"))); }, TimedOut},
        ChangeCase{"FileTouched", Excluded, FileName,
                   [](const Folders& f) {
                       QFile file(f.in(QStringLiteral("old.jpg")));
                       ASSERT_TRUE(file.open(QIODevice::ReadWrite));
                       ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime(),
                                                    QFileDevice::FileModificationTime));
                   },
                   TimedOut},
        ChangeCase{"FilePermissionsChanged", Excluded, FileName,
                   [](const Folders& f) {
                       QFile::setPermissions(f.in(QStringLiteral("old.jpg")), QFile::ReadOwner);
                   },
                   TimedOut},
        ChangeCase{"FileCreatedInSubFolder", Excluded, FileName,
                   [](const Folders& f) { f.watched.write(QStringLiteral("Sub/new.jpg"), "x"); },
                   TimedOut},
        ChangeCase{"SubFolderCreated", Excluded, FileName,
                   [](const Folders& f) { f.watched.makeFolder(QStringLiteral("New")); }, TimedOut},
        ChangeCase{"FileCreatedInSubFolderOfWatchedTree", Included, FileName,
                   [](const Folders& f) { f.watched.write(QStringLiteral("Sub/new.jpg"), "x"); },
                   Signalled},
        ChangeCase{"SubFolderCreatedWhenFolderNamesCount", Excluded, DirectoryName,
                   [](const Folders& f) { f.watched.makeFolder(QStringLiteral("New")); },
                   Signalled},
        ChangeCase{"FileCreatedWhenOnlyFolderNamesCount", Excluded, DirectoryName,
                   [](const Folders& f) { f.watched.write(QStringLiteral("new.jpg"), "x"); },
                   TimedOut}),
    [](const testing::TestParamInfo<ChangeCase>& test) { return test.param.name; });

TEST(ChangeNotification, StaysSignalledUntilRearmedAndForgetsTheChangesBefore) {
    const Folders folders;
    const auto notification =
        findFirstChangeNotification(folders.watched.path(), Excluded, FileName);
    folders.watched.write(QStringLiteral("a.jpg"), "a");
    ASSERT_EQ(notification->wait(0ms), Signalled);
    folders.watched.write(QStringLiteral("b.jpg"), "b");
    EXPECT_EQ(notification->wait(0ms), Signalled);
    notification->rearm();
    EXPECT_EQ(notification->wait(0ms), TimedOut);
    folders.watched.write(QStringLiteral("c.jpg"), "c");
    EXPECT_EQ(notification->wait(0ms), Signalled);
}

TEST(ChangeNotification, WatchesSubFoldersMadeAfterTheWatchBegan) {
    const Folders folders;
    const auto notification =
        findFirstChangeNotification(folders.watched.path(), Included, FileName);
    folders.watched.makeFolder(QStringLiteral("Later"));
    ASSERT_EQ(notification->wait(0ms), TimedOut);
    folders.watched.write(QStringLiteral("Later/new.jpg"), "x");
    EXPECT_EQ(notification->wait(0ms), Signalled);

    // A sub-folder that arrives already filled brings its files in as changes.
    notification->rearm();
    folders.outside.write(QStringLiteral("Filled/deep.jpg"), "x");
    ASSERT_TRUE(QDir().rename(folders.outside.filePath(QStringLiteral("Filled")),
                              folders.in(QStringLiteral("Filled"))));
    EXPECT_EQ(notification->wait(0ms), Signalled);
}

// An album folder under an album root, with a picture, and room beside the root for folders
// that leave or come back.
struct AlbumPath {
    AlbumPath() { place.write(QStringLiteral("Images/Nature/a.jpg"), "a"); }
    QString album() const { return place.filePath(QStringLiteral("Images/Nature")); }
    static bool move(const QString& from, const QString& to) { return QDir().rename(from, to); }

    TestFolder place;
};

struct ReturnCase {
    const char* name;
    void (*leave)(const AlbumPath&);
    void (*comeBack)(const AlbumPath&);
};

class ChangeNotificationReturn : public testing::TestWithParam<ReturnCase> {};

// Backups restored and sync tools take the folder away and put it back: the watch follows its
// path, so the return and the changes made afterwards are reported.
TEST_P(ChangeNotificationReturn, FollowsTheFolderBack) {
    const AlbumPath path;
    const auto notification = findFirstChangeNotification(path.album(), Excluded, FileName);
    GetParam().leave(path);
    EXPECT_EQ(notification->wait(0ms), Signalled);
    notification->rearm();
    EXPECT_EQ(notification->wait(0ms), TimedOut);

    GetParam().comeBack(path);
    EXPECT_EQ(notification->wait(0ms), Signalled);
    notification->rearm();
    path.place.write(QStringLiteral("Images/Nature/b.jpg"), "b");
    EXPECT_EQ(notification->wait(0ms), Signalled);
    notification->rearm();
    QFile::remove(path.place.filePath(QStringLiteral("Images/Nature/b.jpg")));
    EXPECT_EQ(notification->wait(0ms), Signalled);
}

void removeAlbum(const AlbumPath& path) {
    ASSERT_TRUE(QDir(path.album()).removeRecursively());
}

INSTANTIATE_TEST_SUITE_P(
    ChangeNotification, ChangeNotificationReturn,
    testing::Values(
        ReturnCase{"DeletedThenMadeAgain", removeAlbum,
                   [](const AlbumPath& path) { ASSERT_TRUE(QDir().mkpath(path.album())); }},
        ReturnCase{"DeletedThenRestoredFilledInOneMove", removeAlbum,
                   [](const AlbumPath& path) {
                       path.place.write(QStringLiteral("Backup/Nature/a.jpg"), "a");
                       ASSERT_TRUE(AlbumPath::move(
                           path.place.filePath(QStringLiteral("Backup/Nature")), path.album()));
                   }},
        ReturnCase{"RenamedAwayThenAnotherPutInItsPlace",
                   [](const AlbumPath& path) {
                       ASSERT_TRUE(AlbumPath::move(path.album(),
                                                   path.place.filePath(QStringLiteral("Old"))));
                   },
                   [](const AlbumPath& path) {
                       path.place.write(QStringLiteral("New/a.jpg"), "a");
                       ASSERT_TRUE(AlbumPath::move(path.place.filePath(QStringLiteral("New")),
                                                   path.album()));
                   }},
        ReturnCase{"DeletedWithTheAlbumRootThenMadeAgain",
                   [](const AlbumPath& path) {
                       ASSERT_TRUE(
                           QDir(path.place.filePath(QStringLiteral("Images"))).removeRecursively());
                   },
                   [](const AlbumPath& path) {
                       path.place.write(QStringLiteral("Images/Nature/a.jpg"), "a");
                   }}),
    [](const testing::TestParamInfo<ReturnCase>& test) { return test.param.name; });

TEST(ChangeNotification, AFolderRenamedAwayIsNoLongerWatchedUnderItsNewName) {
    const AlbumPath path;
    const auto notification = findFirstChangeNotification(path.album(), Excluded, FileName);
    const QString away = path.place.filePath(QStringLiteral("Old"));
    ASSERT_TRUE(AlbumPath::move(path.album(), away));
    EXPECT_EQ(notification->wait(0ms), Signalled);
    notification->rearm();
    path.place.write(QStringLiteral("Old/b.jpg"), "b");
    path.place.write(QStringLiteral("Images/Other/b.jpg"), "b");
    EXPECT_EQ(notification->wait(0ms), TimedOut);
}

TEST(ChangeNotification, WhatCannotBeWatchedIsNeverSignalled) {
    const Folders folders;
    const struct {
        QString folder;
        std::uint32_t filter;
    } cases[] = {{folders.in(QStringLiteral("Absent")), FileName},
                 {folders.in(QStringLiteral("old.jpg")), FileName},
                 {folders.watched.path(), 0x10}};
    for (const auto& unwatchable : cases) {
        const auto notification =
            findFirstChangeNotification(unwatchable.folder, Excluded, unwatchable.filter);
        folders.watched.makeFolder(QStringLiteral("Absent"));
        folders.watched.write(QStringLiteral("Absent/new.jpg"), "x");
        folders.watched.write(QStringLiteral("new.jpg"), "x");
        EXPECT_EQ(notification->wait(5ms), TimedOut) << unwatchable.folder.toStdString();
    }
}

} // namespace

// A wait with no time limit ends only when woken: from another thread while it waits, or by a
// wake that came first. A watched folder and one that cannot be watched behave the same.
TEST(ChangeNotificationWake, EndsAWaitWithNoTimeLimitAtOnce) {
    const Folders folders;
    for (const QString& folder : {folders.watched.path(), folders.watched.filePath("absent")}) {
        const auto notification =
            findFirstChangeNotification(folder, SubFolders::Excluded, FileName);
        std::atomic<bool> ended = false;
        std::thread waiter([&] {
            EXPECT_EQ(notification->wait(NoTimeLimit), TimedOut);
            ended = true;
        });
        std::this_thread::sleep_for(100ms);
        EXPECT_FALSE(ended.load()) << folder.toStdString();
        notification->wake();
        waiter.join();

        notification->wake();
        EXPECT_EQ(notification->wait(NoTimeLimit), TimedOut) << folder.toStdString();
        // Seen once, the wake is spent.
        EXPECT_EQ(notification->wait(0ms), TimedOut);
    }
}

// A change still ends a wait with no time limit.
TEST(ChangeNotificationWake, AChangeEndsAWaitWithNoTimeLimit) {
    const Folders folders;
    const auto notification =
        findFirstChangeNotification(folders.watched.path(), SubFolders::Excluded, FileName);
    std::thread changer([&] {
        std::this_thread::sleep_for(50ms);
        QFile::remove(folders.in(QStringLiteral("old.jpg")));
    });
    EXPECT_EQ(notification->wait(NoTimeLimit), Signalled);
    changer.join();
}
