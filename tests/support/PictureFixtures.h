#pragma once

#include "imaging/ByteView.h"

#include <QByteArray>
#include <QImage>

// Pictures made in code for the codec tests and the fuzzers' seeds. Odd sizes (47 × 33) catch
// stride bugs; damaged files are made by cutting or flipping good ones.
namespace fixtures {

// A 47 × 33 (or other) picture with a distinct colour in every pixel, opaque.
QImage patternPicture(int width = 47, int height = 33);

// `picture` as ARGB32 with an alpha that changes from pixel to pixel, every level in use.
QImage withVaryingAlpha(QImage picture);

// `picture` as a PNG file, written by the toolkit's own encoder.
QByteArray pngFile(const QImage& picture);

// The first `length` bytes of `bytes`.
QByteArray truncated(const QByteArray& bytes, qsizetype length);
// `bytes` with the byte at `offset` xor-ed with `mask`.
QByteArray flipped(QByteArray bytes, qsizetype offset, unsigned char mask = 0xFF);

inline orvandel::imaging::ByteView view(const QByteArray& bytes) {
    return {reinterpret_cast<const std::uint8_t*>(bytes.constData()),
            static_cast<std::size_t>(bytes.size())};
}

} // namespace fixtures
