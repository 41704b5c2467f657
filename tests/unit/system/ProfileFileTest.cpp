#include "system/profile/ProfileFile.h"

#include "TestFolder.h"
#include "common/Error.h"

#include <QFile>
#include <QStringEncoder>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <future>

using orvandel::system::ProfileFile;

namespace {

const QString options = QStringLiteral("Options");

QString read(const ProfileFile& file, const QString& key) {
    return file.readString(options, key, QStringLiteral("<default>"));
}

} // namespace

TEST(ProfileFile, AMissingFileReadsDefaultsAndTheFirstWriteCreatesIt) {
    TestFolder folder;
    const ProfileFile file(folder.filePath("Options.ini"));
    EXPECT_EQ(read(file, "Timer"), "<default>");
    file.writeString(options, "Timer", "30");
    EXPECT_EQ(folder.read("Options.ini"), QByteArray("[Options]\nTimer=30\n"));
    EXPECT_EQ(read(file, "Timer"), "30");
}

TEST(ProfileFile, LooksUpLikeTheWindowsProfileFunctions) {
    TestFolder folder;
    folder.write("Options.ini", "; comment\n"
                                "[ options ]\n"
                                "  NOM ALBUM =  Espace  \n"
                                "Timer=15\n"
                                "timer=99\n"
                                "Empty=\n"
                                "no equals sign\n"
                                "[Other]\n"
                                "Position=7\n"
                                "[Options]\n"
                                "Position=1\n");
    const ProfileFile file(folder.filePath("Options.ini"));
    EXPECT_EQ(read(file, "Nom Album"), "  Espace  ") << "values are returned as stored";
    EXPECT_EQ(read(file, "TIMER"), "15") << "the first of duplicate keys wins";
    EXPECT_EQ(read(file, "Position"), "<default>") << "the first of duplicate sections wins";
    EXPECT_EQ(read(file, "Empty"), "");
    EXPECT_EQ(file.readString("other", "position", {}), "7");
}

TEST(ProfileFile, WritesKeepTheOtherLinesTheirOrderAndLineEnds) {
    TestFolder folder;
    folder.write("Options.ini", "; my settings\r\n"
                                "[Options]\r\n"
                                "Timer=15\r\n"
                                "\r\n"
                                "[Other]\r\n"
                                "Key=Value\r\n");
    const ProfileFile file(folder.filePath("Options.ini"));
    file.writeString(options, "timer", "20");
    file.writeString(options, "Position", "2");
    file.writeString("New", "A", "b");
    EXPECT_EQ(folder.read("Options.ini"), QByteArray("; my settings\r\n"
                                                     "[Options]\r\n"
                                                     "timer=20\r\n"
                                                     "Position=2\r\n"
                                                     "\r\n"
                                                     "[Other]\r\n"
                                                     "Key=Value\r\n"
                                                     "[New]\r\n"
                                                     "A=b\r\n"));
}

TEST(ProfileFile, ALineBreakInAValueCannotAddKeys) {
    TestFolder folder;
    const ProfileFile file(folder.filePath("Options.ini"));
    file.writeString(options, "Nom Album", "Nature\nTimer=1");
    EXPECT_EQ(read(file, "Timer"), "<default>");
    EXPECT_EQ(read(file, "Nom Album"), "Nature Timer=1");
}

TEST(ProfileFile, StrayCarriageReturnsBelongToTheLineEnd) {
    TestFolder folder;
    folder.write("Options.ini", "[Options]\r\r\nTimer=15\r\r\n[Other]\nKey=\r\r");
    const ProfileFile file(folder.filePath("Options.ini"));
    EXPECT_EQ(read(file, "Timer"), "15");
    file.writeString(options, "Position", "2");
    EXPECT_EQ(read(file, "Timer"), "15");
    EXPECT_EQ(file.readString("Other", "Key", "<default>"), "");
}

TEST(ProfileFile, AccentsRoundTripInANewUtf8File) {
    TestFolder folder;
    const ProfileFile file(folder.filePath("Options.ini"));
    file.writeString(options, "Nom Album", QStringLiteral("Santé"));
    EXPECT_EQ(read(file, "Nom Album"), QStringLiteral("Santé"));
    EXPECT_TRUE(folder.read("Options.ini").contains("Sant\xC3\xA9"));
}

TEST(ProfileFile, AWindows1252FileIsReadAndWrittenBackInItsEncoding) {
    TestFolder folder;
    folder.write("Options.ini", "[Options]\r\nNom Album=Sant\xE9\r\nImages=C:\\Caf\xE9\\\r\n");
    const ProfileFile file(folder.filePath("Options.ini"));
    EXPECT_EQ(read(file, "Nom Album"), QStringLiteral("Santé"));
    file.writeString(options, "Nom Album", QStringLiteral("Thé"));
    EXPECT_EQ(folder.read("Options.ini"),
              QByteArray("[Options]\r\nNom Album=Th\xE9\r\nImages=C:\\Caf\xE9\\\r\n"));
    // A value Windows-1252 cannot hold turns the file into UTF-8, losing nothing.
    file.writeString(options, "Nom Album", QStringLiteral("Ωmega"));
    EXPECT_EQ(read(file, "Nom Album"), QStringLiteral("Ωmega"));
    EXPECT_EQ(read(file, "Images"), QStringLiteral("C:\\Café\\"));
}

TEST(ProfileFile, Utf16FilesAreReadAndWrittenBackInTheirByteOrder) {
    const std::pair<QStringEncoder::Encoding, QByteArray> byteOrders[] = {
        {QStringEncoder::Utf16LE, QByteArray("\xFF\xFE", 2)},
        {QStringEncoder::Utf16BE, QByteArray("\xFE\xFF", 2)}};
    for (const auto& [byteOrder, mark] : byteOrders) {
        TestFolder folder;
        QStringEncoder utf16(byteOrder);
        folder.write("Options.ini",
                     mark + QByteArray(utf16(QStringLiteral("[Options]\r\nNom Album=Santé\r\n"))));
        const ProfileFile file(folder.filePath("Options.ini"));
        EXPECT_EQ(read(file, "Nom Album"), QStringLiteral("Santé")) << mark.toHex().constData();
        file.writeString(options, "Timer", "60");
        EXPECT_EQ(folder.read("Options.ini"),
                  mark + QByteArray(
                             utf16(QStringLiteral("[Options]\r\nNom Album=Santé\r\nTimer=60\r\n"))))
            << mark.toHex().constData();
    }
}

TEST(ProfileFile, AUtf8MarkBeforeWindows1252TextIsKeptAndKeepsTheSection) {
    TestFolder folder;
    const QByteArray original = "\xEF\xBB\xBF[Options]\r\nNom Album=Sant\xE9\r\n";
    folder.write("Options.ini", original);
    const ProfileFile file(folder.filePath("Options.ini"));
    EXPECT_EQ(read(file, "Nom Album"), QStringLiteral("Santé"));
    file.writeString(options, "Timer", "60");
    EXPECT_EQ(folder.read("Options.ini"), original + "Timer=60\r\n");
    EXPECT_EQ(ProfileFile(file.path()).readString(options, "Nom Album", {}),
              QStringLiteral("Santé"));
}

TEST(ProfileFile, AWindows1252FileThatWouldReadAsUtf8AfterAWriteBecomesUtf8) {
    TestFolder folder;
    // "Ô Soleil" with a no-break space is D4 A0 in Windows-1252, a valid UTF-8 pair; the "é" of
    // the album name is the only byte that keeps the file from reading as UTF-8.
    folder.write("Options.ini", "[Options]\r\nImages=\xD4\xA0Soleil\r\nNom Album=Sant\xE9\r\n");
    const QString soleil = QStringLiteral("Ô\u00A0Soleil");
    const ProfileFile file(folder.filePath("Options.ini"));
    EXPECT_EQ(read(file, "Images"), soleil);
    file.writeString(options, "Nom Album", "Nature");
    EXPECT_EQ(ProfileFile(file.path()).readString(options, "Images", {}), soleil);
    EXPECT_EQ(ProfileFile(file.path()).readString(options, "Nom Album", {}), "Nature");
}

TEST(ProfileFile, AFifoReadsAsMissingAtOnceAndIsNeverWritten) {
    TestFolder folder;
    const QString path = folder.filePath("Options.ini");
    ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0666), 0);
    auto reading = std::async(std::launch::async, [&] { return read(ProfileFile(path), "Timer"); });
    if (reading.wait_for(std::chrono::seconds(1)) != std::future_status::ready) {
        // Let the stuck read end, so that the test can report instead of hanging.
        ::close(::open(QFile::encodeName(path).constData(), O_WRONLY | O_NONBLOCK));
        FAIL() << "reading a FIFO blocked";
    }
    EXPECT_EQ(reading.get(), "<default>");
    const ProfileFile file(path);
    try {
        file.writeString(options, "Timer", "20");
        FAIL() << "the write should have been refused";
    } catch (const orvandel::Error& error) {
        EXPECT_EQ(error.message(), QStringLiteral("Impossible d'écrire dans %1").arg(path));
    }
    struct stat status {};
    ::lstat(QFile::encodeName(path).constData(), &status);
    EXPECT_TRUE(S_ISFIFO(status.st_mode));
}

TEST(ProfileFile, OneObjectSeesChangesMadeToTheFileBetweenItsUses) {
    TestFolder folder;
    folder.write("Options.ini", "[Options]\nTimer=15\n");
    const ProfileFile file(folder.filePath("Options.ini"));
    EXPECT_EQ(read(file, "Timer"), "15");
    folder.write("Options.ini", "[Options]\nTimer=15\nPosition=2\n");
    EXPECT_EQ(read(file, "Position"), "2");
    file.writeString(options, "Timer", "20");
    folder.write("Options.ini", "[Options]\nTimer=20\nPosition=2\n; by hand\n");
    file.writeString(options, "Position", "1");
    EXPECT_EQ(folder.read("Options.ini"),
              QByteArray("[Options]\nTimer=20\nPosition=1\n; by hand\n"));
}

TEST(ProfileFile, ARefusedWriteNamesTheFileAndChangesNothing) {
    TestFolder folder;
    const QString path = folder.write("Options.ini", "[Options]\nTimer=15\n");
    ::chmod(QFile::encodeName(path).constData(), 0444);
    const ProfileFile file(path);
    try {
        file.writeString(options, "Timer", "20");
        FAIL() << "the write should have been refused";
    } catch (const orvandel::Error& error) {
        EXPECT_EQ(error.message(), QStringLiteral("Impossible d'écrire dans %1").arg(path));
    }
    EXPECT_EQ(folder.read("Options.ini"), QByteArray("[Options]\nTimer=15\n"));
    const ProfileFile inMissingFolder(folder.filePath("gone/Options.ini"));
    EXPECT_THROW(inMissingFolder.writeString(options, "Timer", "20"), orvandel::Error);
}

TEST(ProfileFile, AWriteThatWouldPassTheReadableSizeIsRefusedWithItsReasonAndChangesNothing) {
    constexpr qsizetype limit = 16 * 1024 * 1024;
    const QByteArray head("[Options]\nTimer=15\n");
    const QByteArray comment = "; " + QByteArray(limit - head.size() - 4, 'x') + "\n";
    ASSERT_EQ(head.size() + comment.size(), limit - 1);
    struct Case {
        const char* name;
        QByteArray content;
    };
    for (const Case& sample : {Case{"at the limit", head + comment},
                               Case{"already past it", head + comment + "; more\n"}}) {
        TestFolder folder;
        const QString path = folder.write("Options.ini", sample.content);
        const ProfileFile file(path);
        try {
            file.writeString(options, "Nom Album", "Nature");
            FAIL() << sample.name << ": the write should have been refused";
        } catch (const orvandel::Error& error) {
            EXPECT_EQ(error.message(),
                      QStringLiteral("Impossible d'écrire dans %1 : le fichier de réglages ne peut "
                                     "pas dépasser 16 Mo.")
                          .arg(path))
                << sample.name;
        }
        EXPECT_EQ(folder.read("Options.ini"), sample.content) << sample.name;
    }
}
