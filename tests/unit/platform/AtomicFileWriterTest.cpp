#include "platform/AtomicFileWriter.h"

#include "FileSizeLimit.h"
#include "TestFolder.h"
#include "common/Error.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <sys/stat.h>

using orvandel::platform::AtomicFileWriter;
using orvandel::platform::replaceFileContent;

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

TEST(AtomicFileWriter, RefusesReadOnlyFilesMissingFoldersAndFolders) {
    TestFolder folder;
    const QString readOnly = folder.write("locked.txt", "keep me");
    ::chmod(QFile::encodeName(readOnly).constData(), 0444);
    folder.makeFolder("sub");
    for (const QString& target :
         {readOnly, folder.filePath("missing/a.txt"), folder.filePath("sub")}) {
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
