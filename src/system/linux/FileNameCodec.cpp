#include "FileNameCodec.h"

#include "system/FileNames.h"

#include <array>
#include <cstdint>

namespace orvandel::system {

namespace {

constexpr char16_t EscapeBase = 0xDC00;
constexpr char16_t FirstEscape = 0xDC80;
constexpr char16_t LastEscape = 0xDCFF;

bool isContinuation(std::uint8_t byte, std::uint8_t low = 0x80, std::uint8_t high = 0xBF) {
    return byte >= low && byte <= high;
}

// The length of the valid UTF-8 sequence at `at`, 0 when the byte there starts none. Overlong
// forms, surrogates and code points past U+10FFFF are invalid, as the Unicode standard says
// (table 3-7), so that each character has one encoding and decoding can be undone exactly.
int sequenceLength(QByteArrayView bytes, qsizetype at) {
    const auto byte = [&](qsizetype offset) {
        return at + offset < bytes.size() ? static_cast<std::uint8_t>(bytes[at + offset]) : 0;
    };
    const std::uint8_t lead = byte(0);
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return isContinuation(byte(1)) ? 2 : 0;
    if (lead >= 0xE0 && lead <= 0xEF) {
        const std::uint8_t low = lead == 0xE0 ? 0xA0 : 0x80;
        const std::uint8_t high = lead == 0xED ? 0x9F : 0xBF;
        return isContinuation(byte(1), low, high) && isContinuation(byte(2)) ? 3 : 0;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        const std::uint8_t low = lead == 0xF0 ? 0x90 : 0x80;
        const std::uint8_t high = lead == 0xF4 ? 0x8F : 0xBF;
        return isContinuation(byte(1), low, high) && isContinuation(byte(2)) &&
                       isContinuation(byte(3))
                   ? 4
                   : 0;
    }
    return 0;
}

char32_t codePointOf(QByteArrayView bytes, qsizetype at, int length) {
    static constexpr std::array<std::uint8_t, 5> leadBits = {0, 0x7F, 0x1F, 0x0F, 0x07};
    char32_t code = static_cast<std::uint8_t>(bytes[at]) & leadBits[length];
    for (int index = 1; index < length; ++index)
        code = (code << 6) | (static_cast<std::uint8_t>(bytes[at + index]) & 0x3F);
    return code;
}

void appendUtf8(QByteArray& bytes, char32_t code) {
    if (code < 0x80) {
        bytes += static_cast<char>(code);
    } else if (code < 0x800) {
        bytes += static_cast<char>(0xC0 | (code >> 6));
        bytes += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        bytes += static_cast<char>(0xE0 | (code >> 12));
        bytes += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        bytes += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        bytes += static_cast<char>(0xF0 | (code >> 18));
        bytes += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        bytes += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        bytes += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// The byte a lone surrogate at `at` stands for, or -1 when the unit there is anything else. The
// low half of a surrogate pair is a character of its own and stands for no byte.
int escapedByteAt(const QString& text, qsizetype at) {
    const char16_t unit = text[at].unicode();
    if (unit < FirstEscape || unit > LastEscape)
        return -1;
    if (at > 0 && QChar::isHighSurrogate(text[at - 1].unicode()))
        return -1;
    return unit - EscapeBase;
}

// Windows-1252 as browsers read it (the WHATWG table): 0x80 to 0x9F hold the typographic
// characters, its five unassigned bytes keep the Latin-1 control of the same value, and 0xA0 to
// 0xFF are Latin-1.
constexpr std::array<char16_t, 32> Windows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t windows1252Character(int byte) {
    return byte < 0xA0 ? Windows1252High[static_cast<std::size_t>(byte - 0x80)]
                       : static_cast<char16_t>(byte);
}

} // namespace

QString decodeFileName(QByteArrayView bytes) {
    QString text;
    text.reserve(bytes.size());
    for (qsizetype at = 0; at < bytes.size();) {
        const int length = sequenceLength(bytes, at);
        if (length == 0) {
            text += QChar(static_cast<char16_t>(EscapeBase + static_cast<std::uint8_t>(bytes[at])));
            ++at;
            continue;
        }
        const char32_t code = codePointOf(bytes, at, length);
        if (QChar::requiresSurrogates(code)) {
            text += QChar(QChar::highSurrogate(code));
            text += QChar(QChar::lowSurrogate(code));
        } else {
            text += QChar(static_cast<char16_t>(code));
        }
        at += length;
    }
    return text;
}

QByteArray encodeFileName(const QString& path) {
    QByteArray bytes;
    bytes.reserve(path.size());
    for (qsizetype at = 0; at < path.size(); ++at) {
        const char16_t unit = path[at].unicode();
        if (QChar::isHighSurrogate(unit) && at + 1 < path.size() &&
            QChar::isLowSurrogate(path[at + 1].unicode())) {
            appendUtf8(bytes, QChar::surrogateToUcs4(unit, path[at + 1].unicode()));
            ++at;
        } else if (const int byte = escapedByteAt(path, at); byte >= 0) {
            bytes += static_cast<char>(byte);
        } else if (QChar::isSurrogate(unit)) {
            appendUtf8(bytes, QChar::ReplacementCharacter);
        } else {
            appendUtf8(bytes, unit);
        }
    }
    return bytes;
}

bool isTextFileName(const QString& path) {
    for (qsizetype at = 0; at < path.size(); ++at) {
        if (escapedByteAt(path, at) >= 0)
            return false;
    }
    return true;
}

QString fileUriOf(const QString& path) {
    return QStringLiteral("file://") +
           QString::fromLatin1(encodeFileName(path).toPercentEncoding(QByteArrayLiteral("/")));
}

QString readableText(const QString& text) {
    QString readable = text;
    for (qsizetype at = 0; at < readable.size(); ++at) {
        if (const int byte = escapedByteAt(text, at); byte >= 0)
            readable[at] = QChar(windows1252Character(byte));
    }
    return readable;
}

} // namespace orvandel::system
