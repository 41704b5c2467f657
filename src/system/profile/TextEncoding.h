#pragma once

#include <QByteArray>
#include <QString>

namespace orvandel::system {

// The encodings a settings file may come in: ours (UTF-8), and those a file written on Windows
// may have. An editor may put the UTF-8 byte-order mark before Windows-1252 text; the mark is kept
// as it was.
enum class TextEncoding {
    Utf8,
    Utf8WithBom,
    Utf16LittleEndian,
    Windows1252,
    Utf16BigEndian,
    Windows1252WithUtf8Bom
};

struct DecodedText {
    QString text;
    TextEncoding encoding = TextEncoding::Utf8;
};

// UTF-16 when the bytes start with its byte-order mark, UTF-8 when they are valid UTF-8 (after
// its mark, if any), Windows-1252 otherwise. A mark is never part of the text.
DecodedText decodeText(const QByteArray& bytes);

QByteArray encodeText(const QString& text, TextEncoding encoding);

struct EncodedText {
    QByteArray bytes;
    TextEncoding encoding = TextEncoding::Utf8;
};

// `text` in `preferred` when those bytes read back as the same text, in UTF-8 otherwise: a
// Windows-1252 file whose bytes became valid UTF-8, or that would need characters it lacks,
// must still read as what was written.
EncodedText encodeKeepingMeaning(const QString& text, TextEncoding preferred);

// Whether every character of `text` has a place in `encoding`.
bool canEncode(const QString& text, TextEncoding encoding);

} // namespace orvandel::system
