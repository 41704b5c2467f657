#include "PictureFixtures.h"

#include <QBuffer>

namespace fixtures {

QImage patternPicture(int width, int height) {
    QImage picture(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < width; ++x)
            row[x] = qRgb((x * 255) / qMax(1, width - 1), (y * 255) / qMax(1, height - 1),
                          ((x + y) * 37) & 0xFF);
    }
    return picture;
}

QImage withVaryingAlpha(QImage picture) {
    picture = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < picture.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < picture.width(); ++x)
            row[x] = qRgba(qRed(row[x]), qGreen(row[x]), qBlue(row[x]), (x * 60 + y * 25) % 256);
    }
    return picture;
}

QByteArray pngFile(const QImage& picture) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    return bytes;
}

QByteArray truncated(const QByteArray& bytes, qsizetype length) {
    return bytes.left(length);
}

QByteArray flipped(QByteArray bytes, qsizetype offset, unsigned char mask) {
    if (offset >= 0 && offset < bytes.size())
        bytes[offset] = static_cast<char>(static_cast<unsigned char>(bytes[offset]) ^ mask);
    return bytes;
}

} // namespace fixtures
