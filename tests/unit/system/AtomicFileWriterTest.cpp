#include "system/AtomicFileWriter.h"

#include "FileSizeLimit.h"
#include "TestFolder.h"
#include "common/Error.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/sysmacros.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <atomic>
#include <functional>
#include <thread>

using orvandel::system::AtomicFileWriter;
using orvandel::system::replaceFileContent;

namespace {

std::span<const std::byte> bytesOf(const QByteArray& bytes) {
    return std::as_bytes(std::span(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

QStringList entriesOf(const TestFolder& folder) {
    return QDir(folder.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
}

} // namespace

TEST(AtomicFileWriter, CreatesAndReplacesWholeFiles) {
    TestFolder folder;
    replaceFileContent(folder.filePath("a.txt"), bytesOf("first version, rather long"));
    replaceFileContent(folder.filePath("a.txt"), bytesOf("second"));
    EXPECT_EQ(folder.read("a.txt"), QByteArray("second"));
    EXPECT_EQ(entriesOf(folder), QStringList{"a.txt"});
}

TEST(AtomicFileWriter, AFailureBeforeTheRenameKeepsTheOldFile) {
    TestFolder folder;
    folder.write("a.txt", "old content");
    {
        AtomicFileWriter writer(folder.filePath("a.txt"));
        writer.write(bytesOf("new content that never lands"));
        EXPECT_TRUE(QFile::exists(writer.temporaryPath()));
    }
    EXPECT_EQ(folder.read("a.txt"), QByteArray("old content"));
    EXPECT_EQ(entriesOf(folder), QStringList{"a.txt"});
}

TEST(AtomicFileWriter, AFullDiskKeepsTheOldFileAndLeavesNoTemporary) {
    TestFolder folder;
    folder.write("a.txt", "old content");
    const QByteArray large(64 * 1024, 'x');
    try {
        FileSizeLimit fullDisk(1000);
        replaceFileContent(folder.filePath("a.txt"), bytesOf(large));
        FAIL() << "the write should have failed";
    } catch (const orvandel::Error& error) {
        EXPECT_TRUE(
            error.message().startsWith(QStringLiteral("Impossible de créer le fichier \"%1\".")
                                           .arg(folder.filePath("a.txt"))));
        EXPECT_TRUE(error.message().contains(QStringLiteral("Espace insuffisant")));
    }
    EXPECT_EQ(folder.read("a.txt"), QByteArray("old content"));
    EXPECT_EQ(entriesOf(folder), QStringList{"a.txt"});
}

TEST(AtomicFileWriter, RefusesReadOnlyFilesAndMissingFolders) {
    TestFolder folder;
    const QString readOnly = folder.write("locked.txt", "keep me");
    ::chmod(QFile::encodeName(readOnly).constData(), 0444);
    for (const QString& target : {readOnly, folder.filePath("missing/a.txt")}) {
        EXPECT_THROW(replaceFileContent(target, bytesOf("x")), orvandel::Error)
            << target.toStdString();
    }
    EXPECT_EQ(folder.read("locked.txt"), QByteArray("keep me"));
    EXPECT_EQ(entriesOf(folder), QStringList{"locked.txt"});
}

TEST(AtomicFileWriter, AReplacedFileKeepsItsPermissions) {
    TestFolder folder;
    const QString path = folder.write("a.txt", "old");
    ::chmod(QFile::encodeName(path).constData(), 0640);
    replaceFileContent(path, bytesOf("new"));
    struct stat status {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0640u);
}

namespace {

struct stat statusOf(const QString& path) {
    struct stat status {};
    ::lstat(QFile::encodeName(path).constData(), &status);
    return status;
}

bool isRoot() {
    return ::geteuid() == 0;
}

constexpr uid_t Nobody = 65534;

// Runs `action` on a thread with nobody's user and group and none of root's powers: on Linux the
// raw system calls change the calling thread's credentials only. Without root, runs it as is.
void runUnprivileged(const std::function<void()>& action) {
    if (!isRoot()) {
        action();
        return;
    }
    std::thread thread([&] {
        if (::syscall(SYS_setgroups, 0, nullptr) != 0 ||
            ::syscall(SYS_setresgid, Nobody, Nobody, Nobody) != 0 ||
            ::syscall(SYS_setresuid, Nobody, Nobody, Nobody) != 0) {
            ADD_FAILURE() << "cannot become nobody";
            return;
        }
        action();
    });
    thread.join();
}

QString pathOfDescriptor(int descriptor) {
    return QFile::symLinkTarget(QStringLiteral("/proc/self/fd/%1").arg(descriptor));
}

} // namespace

TEST(AtomicFileWriter, WritesThroughSymbolicLinks) {
    struct Case {
        const char* name;
        QString linkTarget;  // relative to the folder, as the link holds it
        QString finalTarget; // the file that must receive the content
        bool targetExists;
    };
    const Case cases[] = {
        {"link to a file", "real.ini", "real.ini", true},
        {"dangling link", "absent.ini", "absent.ini", false},
        {"link to a link", "middle.ini", "real.ini", true},
        {"link into a folder", "sub/real.ini", "sub/real.ini", true},
    };
    for (const Case& test : cases) {
        TestFolder folder;
        folder.makeFolder("sub");
        if (test.targetExists)
            folder.write(test.finalTarget, "old");
        QFile::link("real.ini", folder.filePath("middle.ini"));
        const QString link = folder.filePath("Options.ini");
        ASSERT_EQ(::symlink(QFile::encodeName(test.linkTarget).constData(),
                            QFile::encodeName(link).constData()),
                  0);
        replaceFileContent(link, bytesOf("new content"));
        EXPECT_TRUE(S_ISLNK(statusOf(link).st_mode)) << test.name;
        EXPECT_EQ(folder.read("Options.ini"), QByteArray("new content")) << test.name;
        EXPECT_EQ(folder.read(test.finalTarget), QByteArray("new content")) << test.name;
    }
}

TEST(AtomicFileWriter, ALinkLoopIsAnError) {
    TestFolder folder;
    QFile::link(folder.filePath("b"), folder.filePath("a"));
    QFile::link(folder.filePath("a"), folder.filePath("b"));
    EXPECT_THROW(replaceFileContent(folder.filePath("a"), bytesOf("x")), orvandel::Error);
}

TEST(AtomicFileWriter, AReplacedFileKeepsItsOwnerAndGroup) {
    if (!isRoot())
        GTEST_SKIP() << "giving a file to another user needs root";
    TestFolder folder;
    const QString path = folder.write("Options.ini", "old");
    ASSERT_EQ(::chown(QFile::encodeName(path).constData(), Nobody, Nobody), 0);
    ::chmod(QFile::encodeName(path).constData(), 0640);
    ::chmod(QFile::encodeName(folder.path()).constData(), 0755);
    replaceFileContent(path, bytesOf("new"));
    const struct stat status = statusOf(path);
    EXPECT_EQ(status.st_uid, Nobody);
    EXPECT_EQ(status.st_gid, Nobody);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
    QByteArray readByOwner;
    runUnprivileged([&] { readByOwner = folder.read("Options.ini"); });
    EXPECT_EQ(readByOwner, QByteArray("new"));
}

TEST(AtomicFileWriter, AGroupMembersWriteLeavesTheFileToItsOwner) {
    if (!isRoot())
        GTEST_SKIP() << "a file of another user needs root to set up";
    TestFolder folder;
    ::chmod(QFile::encodeName(folder.path()).constData(), 0777);
    // Root's file, shared for writing with nobody's group.
    const QString path = folder.write("Options.ini", "old content");
    ASSERT_EQ(::chown(QFile::encodeName(path).constData(), 0, Nobody), 0);
    ::chmod(QFile::encodeName(path).constData(), 0660);
    runUnprivileged([&] { EXPECT_NO_THROW(replaceFileContent(path, bytesOf("new"))); });
    const struct stat status = statusOf(path);
    EXPECT_EQ(status.st_uid, 0u);
    EXPECT_EQ(status.st_gid, Nobody);
    EXPECT_EQ(status.st_mode & 07777, 0660u);
    EXPECT_EQ(folder.read("Options.ini"), QByteArray("new"));
}

TEST(AtomicFileWriter, AHardLinkedFileStaysOneFile) {
    TestFolder folder;
    const QString first = folder.write("Options.ini", "old content");
    const QString second = folder.filePath("other name.ini");
    ASSERT_EQ(::link(QFile::encodeName(first).constData(), QFile::encodeName(second).constData()),
              0);
    {
        AtomicFileWriter abandoned(first);
        abandoned.write(bytesOf("never committed"));
    }
    EXPECT_EQ(folder.read("other name.ini"), QByteArray("old content"));
    replaceFileContent(first, bytesOf("new"));
    EXPECT_EQ(folder.read("other name.ini"), QByteArray("new"));
    EXPECT_EQ(statusOf(first).st_ino, statusOf(second).st_ino);
    EXPECT_EQ(statusOf(first).st_nlink, 2u);
}

TEST(AtomicFileWriter, AReplacedFileKeepsItsExtendedAttributes) {
    TestFolder folder;
    const QByteArray path = QFile::encodeName(folder.write("Options.ini", "old"));
    if (::setxattr(path.constData(), "user.orvandel", "kept", 4, 0) != 0)
        GTEST_SKIP() << "this file system has no user attributes";
    replaceFileContent(QFile::decodeName(path), bytesOf("new"));
    char value[16] = {};
    EXPECT_EQ(::getxattr(path.constData(), "user.orvandel", value, sizeof value), 4);
    EXPECT_STREQ(value, "kept");
    EXPECT_EQ(folder.read("Options.ini"), QByteArray("new"));
}

TEST(AtomicFileWriter, SyncsTheDataThenTheFolderAfterTheRename) {
    TestFolder folder;
    const QString path = folder.write("Options.ini", "old");
    QStringList synced;
    QByteArray contentAtFolderSync;
    const orvandel::system::SyncCall recordingSync = [&](int descriptor) {
        synced.append(pathOfDescriptor(descriptor));
        if (synced.last() + u'/' == folder.path())
            contentAtFolderSync = folder.read("Options.ini");
        return ::fsync(descriptor);
    };
    replaceFileContent(path, bytesOf("new"), recordingSync);
    ASSERT_EQ(synced.size(), 2);
    EXPECT_TRUE(synced[0].startsWith(folder.filePath(".Options.ini."))) << synced[0].toStdString();
    EXPECT_EQ(synced[1] + u'/', folder.path());
    EXPECT_EQ(contentAtFolderSync, QByteArray("new"));
}

TEST(AtomicFileWriter, NewFilesFollowTheUmaskWithoutWideningOtherThreadsFiles) {
    TestFolder folder;
    const mode_t previousMask = ::umask(022);
    std::atomic<bool> writing = true;
    std::atomic<int> widerFiles = 0;
    // Unnamed files are the quickest to make, so the thread makes many while the writer runs.
    const QByteArray probeFolder = QFile::encodeName(folder.path());
    std::thread otherThread([&] {
        while (writing) {
            const int descriptor =
                ::open(probeFolder.constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
            struct stat status {};
            if (descriptor >= 0 && ::fstat(descriptor, &status) == 0 &&
                (status.st_mode & 0777) != 0644)
                ++widerFiles;
            ::close(descriptor);
        }
    });
    mode_t newFileMode = 0;
    for (int i = 0; i < 1000; ++i) {
        const QString path = folder.filePath(QString("new%1.txt").arg(i));
        replaceFileContent(path, bytesOf("x"), [](int) { return 0; });
        newFileMode = statusOf(path).st_mode & 0777;
    }
    writing = false;
    otherThread.join();
    ::umask(previousMask);
    EXPECT_EQ(widerFiles, 0);
    EXPECT_EQ(newFileMode, 0644u);
}

TEST(AtomicFileWriter, AWritableFileInAReadOnlyFolderIsWrittenInPlace) {
    TestFolder folder;
    ::chmod(QFile::encodeName(folder.path()).constData(), 0755);
    const QString path = folder.write("portable/Options.ini", "old content, rather long");
    ::chown(QFile::encodeName(path).constData(), Nobody, Nobody);
    const QByteArray portable = QFile::encodeName(folder.filePath("portable"));
    ::chmod(portable.constData(), 0555);
    runUnprivileged([&] {
        EXPECT_NO_THROW(replaceFileContent(path, bytesOf("new")));
        EXPECT_THROW(replaceFileContent(folder.filePath("portable/new.ini"), bytesOf("x")),
                     orvandel::Error)
            << "a new file still needs a writable folder";
    });
    ::chmod(portable.constData(), 0755);
    EXPECT_EQ(folder.read("portable/Options.ini"), QByteArray("new"));
    EXPECT_EQ(QDir(folder.filePath("portable")).entryList(QDir::Files | QDir::Hidden),
              QStringList{"Options.ini"});
}

TEST(AtomicFileWriter, RefusesWhatIsNotARegularFileWithoutOpeningIt) {
    TestFolder folder;
    const QString fifo = folder.filePath("fifo.ini");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0666), 0);
    // A reader waits on the FIFO: a writer opening it would not block, and would leave bytes.
    const int reader = ::open(QFile::encodeName(fifo).constData(), O_RDONLY | O_NONBLOCK);
    QStringList targets{fifo, folder.makeFolder("folder.ini")};
    if (isRoot()) {
        targets.append(folder.filePath("null.ini"));
        ::mknod(QFile::encodeName(targets.last()).constData(), S_IFCHR | 0666, makedev(1, 3));
    }
    for (const QString& target : targets) {
        const mode_t kind = statusOf(target).st_mode & S_IFMT;
        try {
            replaceFileContent(target, bytesOf("x"));
            ADD_FAILURE() << target.toStdString() << " was written";
        } catch (const orvandel::Error& error) {
            EXPECT_TRUE(error.message().startsWith(
                QStringLiteral("Impossible de créer le fichier \"%1\".").arg(target)));
        }
        EXPECT_EQ(statusOf(target).st_mode & S_IFMT, kind) << target.toStdString();
    }
    char byte = 0;
    EXPECT_EQ(::read(reader, &byte, 1), 0) << "nothing was written into the FIFO";
    ::close(reader);
}
