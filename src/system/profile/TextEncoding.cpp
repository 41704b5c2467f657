#include "TextEncoding.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <array>

namespace orvandel::system {

namespace {

// Windows-1252 differs from Latin-1 only in 0x80..0x9F; the five unassigned bytes map to the
// control characters of the same value, as Windows itself does.
constexpr std::array<char16_t, 32> windows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr char utf8Bom[] = "\xEF\xBB\xBF";
constexpr char utf16LittleEndianBom[] = "\xFF\xFE";
constexpr char utf16BigEndianBom[] = "\xFE\xFF";

// The marks are taken off by hand; one more at the start of the text is a character of it.
constexpr auto decoderFlags =
    QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom;
constexpr auto encoderFlags = QStringConverter::Flag::Stateless;

QString decodeUtf16(const QByteArray& bytes, QStringConverter::Encoding encoding) {
    QStringDecoder decoder(encoding, decoderFlags);
    return decoder(bytes.sliced(2));
}

QByteArray encodeUtf16(const QString& text, QStringConverter::Encoding encoding, const char* mark) {
    QStringEncoder encoder(encoding, encoderFlags);
    return QByteArray(mark, 2) + QByteArray(encoder(text));
}

bool isWindows1252(TextEncoding encoding) {
    return encoding == TextEncoding::Windows1252 ||
           encoding == TextEncoding::Windows1252WithUtf8Bom;
}

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
    if (bytes.startsWith(utf16LittleEndianBom))
        return {decodeUtf16(bytes, QStringDecoder::Utf16LE), TextEncoding::Utf16LittleEndian};
    if (bytes.startsWith(utf16BigEndianBom))
        return {decodeUtf16(bytes, QStringDecoder::Utf16BE), TextEncoding::Utf16BigEndian};
    const bool hasUtf8Bom = bytes.startsWith(utf8Bom);
    const QByteArray body = hasUtf8Bom ? bytes.sliced(3) : bytes;
    QStringDecoder utf8(QStringDecoder::Utf8, decoderFlags);
    QString text = utf8(body);
    if (!utf8.hasError())
        return {std::move(text), hasUtf8Bom ? TextEncoding::Utf8WithBom : TextEncoding::Utf8};
    return {decodeWindows1252(body),
            hasUtf8Bom ? TextEncoding::Windows1252WithUtf8Bom : TextEncoding::Windows1252};
}

QByteArray encodeText(const QString& text, TextEncoding encoding) {
    switch (encoding) {
    case TextEncoding::Utf8:
        return text.toUtf8();
    case TextEncoding::Utf8WithBom:
        return QByteArray(utf8Bom) + text.toUtf8();
    case TextEncoding::Utf16LittleEndian:
        return encodeUtf16(text, QStringEncoder::Utf16LE, utf16LittleEndianBom);
    case TextEncoding::Utf16BigEndian:
        return encodeUtf16(text, QStringEncoder::Utf16BE, utf16BigEndianBom);
    case TextEncoding::Windows1252:
        return encodeWindows1252(text);
    case TextEncoding::Windows1252WithUtf8Bom:
        return QByteArray(utf8Bom) + encodeWindows1252(text);
    }
    return text.toUtf8();
}

EncodedText encodeKeepingMeaning(const QString& text, TextEncoding preferred) {
    if (canEncode(text, preferred)) {
        QByteArray bytes = encodeText(text, preferred);
        // Only Windows-1252 bytes can read back as something else, as UTF-8 or UTF-16.
        if (!isWindows1252(preferred) || decodeText(bytes).text == text)
            return {std::move(bytes), preferred};
    }
    const TextEncoding fallback = preferred == TextEncoding::Windows1252WithUtf8Bom
                                      ? TextEncoding::Utf8WithBom
                                      : TextEncoding::Utf8;
    return {encodeText(text, fallback), fallback};
}

bool canEncode(const QString& text, TextEncoding encoding) {
    if (!isWindows1252(encoding))
        return true;
    for (const QChar character : text) {
        if (windows1252Byte(character.unicode()) < 0)
            return false;
    }
    return true;
}

} // namespace orvandel::system
