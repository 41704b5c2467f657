#include "TextEncoding.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <array>

namespace orvandel {

namespace {

// Windows-1252 differs from Latin-1 only in 0x80..0x9F; the five unassigned bytes map to the
// control characters of the same value, as Windows itself does.
constexpr std::array<char16_t, 32> windows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr char utf8Bom[] = "\xEF\xBB\xBF";
constexpr char utf16Bom[] = "\xFF\xFE";

QString decodeWindows1252(const QByteArray& bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char byte : bytes) {
        const auto value = static_cast<unsigned char>(byte);
        *out++ = QChar(value >= 0x80 && value < 0xA0 ? windows1252High[value - 0x80] : value);
    }
    return text;
}

// -1 when the character has no Windows-1252 byte.
int windows1252Byte(char16_t character) {
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF))
        return character;
    for (std::size_t i = 0; i < windows1252High.size(); ++i) {
        if (windows1252High[i] == character)
            return static_cast<int>(0x80 + i);
    }
    return -1;
}

QByteArray encodeWindows1252(const QString& text) {
    QByteArray bytes(text.size(), Qt::Uninitialized);
    char* out = bytes.data();
    for (const QChar character : text) {
        const int value = windows1252Byte(character.unicode());
        *out++ = static_cast<char>(value < 0 ? '?' : value);
    }
    return bytes;
}

} // namespace

DecodedText decodeText(const QByteArray& bytes) {
    if (bytes.startsWith(utf16Bom)) {
        QStringDecoder decoder(QStringDecoder::Utf16LE);
        return {decoder(bytes.sliced(2)), TextEncoding::Utf16LittleEndian};
    }
    const bool hasUtf8Bom = bytes.startsWith(utf8Bom);
    const QByteArray body = hasUtf8Bom ? bytes.sliced(3) : bytes;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(body);
    if (!utf8.hasError())
        return {std::move(text), hasUtf8Bom ? TextEncoding::Utf8WithBom : TextEncoding::Utf8};
    return {decodeWindows1252(bytes), TextEncoding::Windows1252};
}

QByteArray encodeText(const QString& text, TextEncoding encoding) {
    switch (encoding) {
    case TextEncoding::Utf8:
        return text.toUtf8();
    case TextEncoding::Utf8WithBom:
        return QByteArray(utf8Bom) + text.toUtf8();
    case TextEncoding::Utf16LittleEndian: {
        QStringEncoder encoder(QStringEncoder::Utf16LE);
        return QByteArray(utf16Bom, 2) + QByteArray(encoder(text));
    }
    case TextEncoding::Windows1252:
        return encodeWindows1252(text);
    }
    return text.toUtf8();
}

bool canEncode(const QString& text, TextEncoding encoding) {
    if (encoding != TextEncoding::Windows1252)
        return true;
    for (const QChar character : text) {
        if (windows1252Byte(character.unicode()) < 0)
            return false;
    }
    return true;
}

} // namespace orvandel
