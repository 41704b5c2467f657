#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace orvandel::system {

// The one conversion between the program's paths and the bytes the kernel takes. A Linux name is
// any run of bytes; most are UTF-8, but a file from an old archive may carry another encoding
// ("caf\xE9.jpg" in Windows-1252). Qt's own conversion turns such a byte into U+FFFD and the file
// can then never be opened again, so every system call of this layer converts here instead.
//
// Decoding takes every valid UTF-8 sequence as its character and each byte that is no part of one
// (0x80 to 0xFF) as the lone surrogate U+DC00 + byte, which no valid text holds. Encoding gives
// those bytes back, so that encodeFileName(decodeFileName(bytes)) == bytes for every name.
QString decodeFileName(QByteArrayView bytes);

// A lone surrogate that decoding never makes (outside U+DC80..U+DCFF) names no file on disk; it
// is written as U+FFFD.
QByteArray encodeFileName(const QString& path);

// Whether the path's bytes are all valid UTF-8, so that a program that reads its arguments or
// settings as text gets the same file.
bool isTextFileName(const QString& path);

// A file: URI of the path's own bytes, each byte outside the unreserved ASCII letters and the
// slash percent-encoded, so that even a name that is not UTF-8 reaches the file unchanged.
QString fileUriOf(const QString& path);

} // namespace orvandel::system
