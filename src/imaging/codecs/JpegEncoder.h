#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <cstddef>
#include <functional>
#include <span>

namespace orvandel::imaging {

inline constexpr int DefaultJpegQuality = 90;

// Receives the encoded bytes piece by piece, in order; it may throw to end the encoding.
using JpegSink = std::function<void(std::span<const std::byte>)>;

// Baseline JPEG with the encoder's default settings at the given quality, handed to `sink` as it
// is made, so that a large picture never needs its whole file in memory.
void encodeJpeg(const QImage& picture, const JpegSink& sink, int quality = DefaultJpegQuality);
QByteArray encodeJpeg(const QImage& picture, int quality = DefaultJpegQuality);

// Encodes and writes through a temporary file and a rename.
void writeJpeg(const QImage& picture, const QString& path, int quality = DefaultJpegQuality);

} // namespace orvandel::imaging
