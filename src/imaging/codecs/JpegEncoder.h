#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace orvandel::imaging {

inline constexpr int DefaultJpegQuality = 90;

// Baseline JPEG with the encoder's default settings at the given quality.
QByteArray encodeJpeg(const QImage& picture, int quality = DefaultJpegQuality);

// Encodes and writes through a temporary file and a rename.
void writeJpeg(const QImage& picture, const QString& path, int quality = DefaultJpegQuality);

} // namespace orvandel::imaging
