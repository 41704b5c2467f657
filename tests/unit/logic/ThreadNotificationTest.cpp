#include "RecordingDialogs.h"
#include "TestFolder.h"
#include "common/Error.h"
#include "logic/ErrorReport.h"
#include "logic/watch/UThreadNotification.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QThread>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <vector>

namespace watch = orvandel::UThreadNotification;
using namespace std::chrono_literals;

namespace {

// Far longer than any change takes to reach a listing, so that only a fault runs it out.
constexpr int GenerousMilliseconds = 10000;
// A few of the watcher's 200 ms cycles: time for a listing that should not come to come.
constexpr int FewCycles = 600;

void processEventsFor(int milliseconds) {
    const QDeadlineTimer deadline(milliseconds);
    while (!deadline.hasExpired()) {
        QCoreApplication::processEvents();
        std::this_thread::sleep_for(2ms);
    }
}

template <typename Condition> bool waitUntil(Condition condition) {
    const QDeadlineTimer deadline(GenerousMilliseconds);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents();
        std::this_thread::sleep_for(2ms);
    }
    return true;
}

// What a listing saw: the files of the folder when it ran, and where it ran.
struct Listing {
    QString watcher;
    QStringList files;
    bool onMainThread = false;
};

class ThreadNotification : public testing::Test {
protected:
    void TearDown() override { folderWatch.DestructionNotification(); }

    // A listing of the test's own, standing for the main window's: it notes what it sees.
    std::function<void()> listingOf(const TestFolder& folder, const QString& watcher = {}) {
        return [this, path = folder.path(), watcher] {
            listings.push_back(
                {watcher, QDir(path).entryList(QDir::Files),
                 QThread::currentThread() == QCoreApplication::instance()->thread()});
        };
    }
    void start(const TestFolder& folder, const QString& watcher = {}) {
        folderWatch.CreationNotification(folder.path(), false, 1, listingOf(folder, watcher));
    }
    bool listed(const QString& file) {
        return waitUntil([&] {
            for (const Listing& listing : listings)
                if (listing.files.contains(file))
                    return true;
            return false;
        });
    }
    // Adds a file that must be listed and returns how many listings came before the first that
    // saw it: every listing the earlier changes caused.
    int listingsBeforeSentinel(const TestFolder& folder) {
        const QString sentinel = QStringLiteral("sentinel-%1").arg(++sentinels);
        folder.write(sentinel, "s");
        if (!listed(sentinel))
            return -1;
        int before = 0;
        while (!listings[before].files.contains(sentinel))
            ++before;
        return before;
    }

    std::vector<Listing> listings;
    int sentinels = 0;
    RecordingDialogs dialogs;
    orvandel::ErrorReport report{dialogs};
    watch::FolderWatch folderWatch{report};
};

TEST_F(ThreadNotification, APictureCopiedInGivesOneListingOnTheMainThreadThatSeesIt) {
    const TestFolder album;
    start(album);
    album.write(QStringLiteral("photo.jpg"), "picture");
    ASSERT_TRUE(waitUntil([&] { return !listings.empty(); }));
    EXPECT_TRUE(listings[0].files.contains(QStringLiteral("photo.jpg")));
    EXPECT_TRUE(listings[0].onMainThread);
    EXPECT_EQ(listingsBeforeSentinel(album), 1);
}

TEST_F(ThreadNotification, ADeleteAndARenameEachGiveAListing) {
    const TestFolder album;
    album.write(QStringLiteral("a.jpg"), "a");
    album.write(QStringLiteral("b.jpg"), "b");
    start(album);
    QFile::remove(album.filePath(QStringLiteral("a.jpg")));
    ASSERT_TRUE(waitUntil([&] {
        return !listings.empty() && !listings.back().files.contains(QStringLiteral("a.jpg"));
    }));
    QFile::rename(album.filePath(QStringLiteral("b.jpg")), album.filePath(QStringLiteral("c.jpg")));
    EXPECT_TRUE(listed(QStringLiteral("c.jpg")));
}

TEST_F(ThreadNotification, OverwritingTouchingOrAddingInASubFolderGivesNoListing) {
    const TestFolder album;
    album.write(QStringLiteral("a.jpg"), "a");
    album.makeFolder(QStringLiteral("Sub"));
    start(album);
    album.write(QStringLiteral("a.jpg"), "overwritten");
    QFile touched(album.filePath(QStringLiteral("a.jpg")));
    ASSERT_TRUE(touched.open(QIODevice::ReadWrite));
    ASSERT_TRUE(
        touched.setFileTime(QDateTime::currentDateTime(), QFileDevice::FileModificationTime));
    album.write(QStringLiteral("Sub/new.jpg"), "n");
    processEventsFor(FewCycles);
    EXPECT_EQ(listingsBeforeSentinel(album), 0);
}

TEST_F(ThreadNotification, ABurstOfFiftyFilesGivesOneListingAndAtMostOneMore) {
    const TestFolder album;
    start(album);
    for (int i = 0; i < 50; ++i)
        album.write(QStringLiteral("burst-%1.jpg").arg(i), "b");
    ASSERT_TRUE(listed(QStringLiteral("burst-49.jpg")));
    const int before = listingsBeforeSentinel(album);
    EXPECT_GE(before, 1);
    EXPECT_LE(before, 2);
    EXPECT_EQ(listings[0].files.size(), 50);
}

TEST_F(ThreadNotification, ChangesDuringAListingGiveExactlyOneMore) {
    const TestFolder album;
    const auto listing = listingOf(album);
    folderWatch.CreationNotification(album.path(), false, 1, [&] {
        listing();
        if (listings.size() == 1)
            for (const char* name : {"during-1.jpg", "during-2.jpg", "during-3.jpg"})
                album.write(QString::fromLatin1(name), "d");
    });
    album.write(QStringLiteral("first.jpg"), "f");
    ASSERT_TRUE(listed(QStringLiteral("during-3.jpg")));
    EXPECT_EQ(listingsBeforeSentinel(album), 2);
    folderWatch.DestructionNotification();
}

TEST_F(ThreadNotification, AnAlbumChangeEndsTheOldWatcherAndOnlyTheNewFolderReports) {
    const TestFolder oldAlbum;
    const TestFolder newAlbum;
    start(oldAlbum, QStringLiteral("old"));
    const std::weak_ptr<watch::TThreadNotification> oldWatcher = folderWatch.ThreadNotification();
    start(newAlbum, QStringLiteral("new"));
    EXPECT_TRUE(oldWatcher.expired());
    oldAlbum.write(QStringLiteral("old.jpg"), "o");
    newAlbum.write(QStringLiteral("new.jpg"), "n");
    ASSERT_TRUE(listed(QStringLiteral("new.jpg")));
    processEventsFor(FewCycles);
    for (const Listing& listing : listings)
        EXPECT_EQ(listing.watcher, QStringLiteral("new"));
}

TEST_F(ThreadNotification, AMissingFolderReportsNothingRaisesNothingAndTheNextAlbumWorks) {
    const TestFolder root;
    const QString missing = root.filePath(QStringLiteral("Absent/"));
    EXPECT_NO_THROW(
        folderWatch.CreationNotification(missing, false, 1, [&] { listings.push_back({}); }));
    root.write(QStringLiteral("Absent/late.jpg"), "l");
    processEventsFor(FewCycles);
    EXPECT_TRUE(listings.empty());
    EXPECT_TRUE(dialogs.errors.isEmpty());

    const TestFolder album;
    start(album);
    album.write(QStringLiteral("photo.jpg"), "p");
    EXPECT_TRUE(listed(QStringLiteral("photo.jpg")));
}

TEST_F(ThreadNotification, AnAlbumFolderRemovedAndRestoredIsListedAgain) {
    const TestFolder root;
    root.write(QStringLiteral("Nature/old.jpg"), "o");
    const QString album = root.filePath(QStringLiteral("Nature/"));
    folderWatch.CreationNotification(album, false, 1, [this, album] {
        listings.push_back({{}, QDir(album).entryList(QDir::Files), true});
    });
    ASSERT_TRUE(QDir(album).removeRecursively());
    ASSERT_TRUE(waitUntil([&] { return !listings.empty() && listings.back().files.isEmpty(); }));
    root.write(QStringLiteral("Nature/restored.jpg"), "r");
    EXPECT_TRUE(listed(QStringLiteral("restored.jpg")));
    root.write(QStringLiteral("Nature/later.jpg"), "l");
    EXPECT_TRUE(listed(QStringLiteral("later.jpg")));
}

// Without the withdrawal the stop would wait for a listing only the stopping thread can run, and
// the watcher would outlive the stop.
TEST_F(ThreadNotification, AStopThatMeetsAPendingHandOverEndsTheWatcherAndDropsTheListing) {
    const TestFolder album;
    start(album);
    album.write(QStringLiteral("photo.jpg"), "p");
    const QDeadlineTimer deadline(GenerousMilliseconds);
    while (!folderWatch.ThreadNotification()->isHandingOver() && !deadline.hasExpired())
        std::this_thread::sleep_for(1ms);
    ASSERT_TRUE(folderWatch.ThreadNotification()->isHandingOver());
    const std::weak_ptr<watch::TThreadNotification> watcher = folderWatch.ThreadNotification();
    folderWatch.DestructionNotification();
    EXPECT_TRUE(watcher.expired());
    EXPECT_EQ(folderWatch.ThreadNotification(), nullptr);
    QCoreApplication::sendPostedEvents();
    EXPECT_TRUE(listings.empty());
}

// A stop from a modal loop inside the listing (an album chosen while a message box shows) must
// not wait for the listing it is nested in.
TEST_F(ThreadNotification, AStopFromWithinTheListingLetsTheWatcherGo) {
    const TestFolder album;
    bool ran = false;
    bool watcherGone = false;
    folderWatch.CreationNotification(album.path(), false, 1, [&] {
        const std::weak_ptr<watch::TThreadNotification> watcher = folderWatch.ThreadNotification();
        folderWatch.DestructionNotification();
        watcherGone = watcher.expired();
        ran = true;
    });
    album.write(QStringLiteral("photo.jpg"), "p");
    ASSERT_TRUE(waitUntil([&] { return ran; }));
    EXPECT_TRUE(watcherGone);
}

// The report's record is read here on the main thread; were it written from the watcher's,
// the thread checker would flag it.
TEST_F(ThreadNotification, AFailingListingIsReportedOnTheMainThreadAndTheWatcherGoesOn) {
    const TestFolder album;
    const auto listing = listingOf(album);
    folderWatch.CreationNotification(album.path(), false, 1, [&] {
        listing();
        if (listings.size() == 1)
            throw orvandel::Error(QStringLiteral("Le format de l'image  a.jpg  est invalide..."));
    });
    album.write(QStringLiteral("a.jpg"), "a");
    ASSERT_TRUE(waitUntil([&] { return !dialogs.errors.isEmpty(); }));
    album.write(QStringLiteral("b.jpg"), "b");
    EXPECT_TRUE(listed(QStringLiteral("b.jpg")));
    EXPECT_TRUE(listings[0].onMainThread);
    EXPECT_EQ(dialogs.errors, QStringList{"Le format de l'image  a.jpg  est invalide..."});
    folderWatch.DestructionNotification();
}

struct TrailingSeparatorCase {
    const char* path;
    const char* expected;
};

TEST(RetireSlash, RemovesOneTrailingSlashButKeepsTheRootOnThisSystem) {
    const TrailingSeparatorCase cases[] = {{"/home/moi/Images/Nature/", "/home/moi/Images/Nature"},
                                           {"/home/moi/Images/Nature", "/home/moi/Images/Nature"},
                                           {"/", "/"},
                                           {"/home/moi/Images//", "/home/moi/Images/"},
                                           {"C:\\Prog\\", "C:\\Prog\\"},
                                           {"", ""}};
    for (const auto& [path, expected] : cases)
        EXPECT_EQ(watch::RetireSlash(QString::fromUtf8(path)), QString::fromUtf8(expected)) << path;
}

} // namespace
