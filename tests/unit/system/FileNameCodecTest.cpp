#include "system/linux/FileNameCodec.h"

#include "system/FileNames.h"

#include <QUrl>

#include <gtest/gtest.h>

using namespace orvandel::system;

namespace {

QString units(std::initializer_list<char16_t> codes) {
    QString text;
    for (const char16_t code : codes)
        text += QChar(code);
    return text;
}

} // namespace

// Each case: bytes on disk, and how the program holds them.
TEST(FileNameCodec, DecodesValidUtf8AsTextAndEveryOtherByteAsALoneSurrogate) {
    const std::pair<QByteArray, QString> cases[] = {
        {"plain.jpg", QStringLiteral("plain.jpg")},
        {"\xc3\xa9t\xc3\xa9 \xe2\x82\xac \xf0\x9f\x93\xa9", QStringLiteral("été € 📩")},
        {"caf\xe9.jpg", QStringLiteral("caf") + QChar(0xDCE9) + QStringLiteral(".jpg")},
        // Overlong, surrogate, past U+10FFFF, cut short, a lone continuation byte.
        {"\xc0\xaf", units({0xDCC0, 0xDCAF})},
        {"\xed\xa0\x80", units({0xDCED, 0xDCA0, 0xDC80})},
        {"\xf4\x90\x80\x80", units({0xDCF4, 0xDC90, 0xDC80, 0xDC80})},
        {"\xe2\x82", units({0xDCE2, 0xDC82})},
        {"a\x80"
         "b",
         units({u'a', 0xDC80, u'b'})},
        {"\xff\xfe", units({0xDCFF, 0xDCFE})},
    };
    for (const auto& [bytes, held] : cases) {
        EXPECT_EQ(decodeFileName(bytes), held) << bytes.toHex().constData();
        EXPECT_EQ(encodeFileName(held), bytes) << bytes.toHex().constData();
    }
}

TEST(FileNameCodec, EveryByteSequenceComesBackUnchanged) {
    QByteArray every;
    for (int byte = 1; byte < 256; ++byte)
        every += static_cast<char>(byte);
    EXPECT_EQ(encodeFileName(decodeFileName(every)), every);
    // Pairs of bytes, which cover every cut sequence next to every other byte.
    for (int first = 0x80; first < 256; ++first) {
        for (int second = 1; second < 256; ++second) {
            const QByteArray bytes =
                QByteArray(1, static_cast<char>(first)) + static_cast<char>(second) + '\xa9';
            ASSERT_EQ(encodeFileName(decodeFileName(bytes)), bytes) << bytes.toHex().constData();
        }
    }
}

TEST(FileNameCodec, AStrayByteAfterAFourByteCharacterStaysItsOwn) {
    // U+1F4E9 is the pair D83D DCE9; the byte E9 after it is a lone DCE9 of its own.
    const QByteArray bytes = "\xf0\x9f\x93\xa9\xe9";
    const QString held = decodeFileName(bytes);
    EXPECT_EQ(held, units({0xD83D, 0xDCE9, 0xDCE9}));
    EXPECT_EQ(encodeFileName(held), bytes);
    EXPECT_EQ(readableText(held), QStringLiteral("📩é"));
}

TEST(FileNameCodec, ASurrogateNoDecodingMakesIsWrittenAsTheReplacementCharacter) {
    EXPECT_EQ(encodeFileName(units({u'a', 0xD800, u'b', 0xDC41})), "a\xef\xbf\xbd"
                                                                   "b\xef\xbf\xbd");
}

TEST(FileNameCodec, ReadableTextShowsStrayBytesAsWindows1252) {
    EXPECT_EQ(readableText(decodeFileName("caf\xe9 \x80 \x92 \x81.jpg")),
              QStringLiteral("café € ’ ") + QChar(0x81) + QStringLiteral(".jpg"));
    EXPECT_EQ(readableText(QStringLiteral("déjà vu")), QStringLiteral("déjà vu"));
}

TEST(FileNameCodec, OnlyNamesWithStrayBytesAreNoText) {
    EXPECT_TRUE(isTextFileName(QStringLiteral("/a/été 📩.jpg")));
    EXPECT_FALSE(isTextFileName(decodeFileName("/a/caf\xe9.jpg")));
}

TEST(FileNameCodec, AFileUriCarriesTheNamesOwnBytes) {
    const QString path = decodeFileName("/tmp/caf\xe9 d'\xc3\xa9t\xc3\xa9 100%.jpg");
    const QString uri = fileUriOf(path);
    EXPECT_EQ(uri, QStringLiteral("file:///tmp/caf%E9%20d%27%C3%A9t%C3%A9%20100%25.jpg"));
    EXPECT_EQ(QUrl(fileUriOf(QStringLiteral("/a/Été.png"))).toLocalFile(),
              QStringLiteral("/a/Été.png"));
}
