#pragma once

#include <QByteArray>
#include <QString>

namespace orvandel {

// The encodings a settings file may come in: ours (UTF-8), and those a file written on Windows
// may have.
enum class TextEncoding { Utf8, Utf8WithBom, Utf16LittleEndian, Windows1252 };

struct DecodedText {
    QString text;
    TextEncoding encoding = TextEncoding::Utf8;
};

// UTF-16LE when the bytes start with its byte-order mark, UTF-8 when they are valid UTF-8,
// Windows-1252 otherwise.
DecodedText decodeText(const QByteArray& bytes);

QByteArray encodeText(const QString& text, TextEncoding encoding);

// Whether every character of `text` has a place in `encoding`.
bool canEncode(const QString& text, TextEncoding encoding);

} // namespace orvandel
