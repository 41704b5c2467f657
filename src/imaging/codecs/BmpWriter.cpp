#include "BmpWriter.h"

#include "common/Error.h"
#include "common/Messages.h"
#include "system/AtomicFileWriter.h"

#include <cstdint>
#include <limits>
#include <span>
#include <vector>

namespace orvandel::imaging {

namespace {

constexpr std::int64_t FileHeaderSize = 14;
constexpr std::int64_t InfoHeaderSize = 40;
constexpr std::int64_t HeadersSize = FileHeaderSize + InfoHeaderSize;
// 72 dots per inch, what most programs write.
constexpr std::uint32_t PixelsPerMetre = 2835;

void putUint16(std::uint8_t* target, std::uint16_t value) {
    target[0] = static_cast<std::uint8_t>(value);
    target[1] = static_cast<std::uint8_t>(value >> 8);
}

void putUint32(std::uint8_t* target, std::uint32_t value) {
    putUint16(target, static_cast<std::uint16_t>(value));
    putUint16(target + 2, static_cast<std::uint16_t>(value >> 16));
}

void writeHeaders(std::uint8_t* target, int width, int height, std::uint32_t imageSize) {
    target[0] = 'B';
    target[1] = 'M';
    putUint32(target + 2, static_cast<std::uint32_t>(HeadersSize) + imageSize);
    putUint32(target + 10, static_cast<std::uint32_t>(HeadersSize));
    std::uint8_t* info = target + FileHeaderSize;
    putUint32(info, static_cast<std::uint32_t>(InfoHeaderSize));
    putUint32(info + 4, static_cast<std::uint32_t>(width));
    putUint32(info + 8, static_cast<std::uint32_t>(height));
    putUint16(info + 12, 1);
    putUint16(info + 14, 24);
    putUint32(info + 20, imageSize);
    putUint32(info + 24, PixelsPerMetre);
    putUint32(info + 28, PixelsPerMetre);
}

// Transparent pixels are composited on black, which is what premultiplying does.
QImage opaqueSource(const QImage& picture) {
    QImage source = picture.convertToFormat(
        picture.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    if (source.isNull())
        throw Error(QStringLiteral("Mémoire insuffisante pour enregistrer l'image BMP."));
    return source;
}

} // namespace

void writeBmp24(const QImage& picture, const QString& path) {
    if (picture.isNull() || picture.width() <= 0 || picture.height() <= 0)
        throw Error(QStringLiteral("Impossible d'enregistrer une image vide au format BMP."));
    const QImage source = opaqueSource(picture);
    const int width = source.width();
    const int height = source.height();
    const std::int64_t stride = ((std::int64_t{width} * 3 + 3) / 4) * 4;
    const std::int64_t imageSize = stride * height;
    if (HeadersSize + imageSize > std::numeric_limits<std::uint32_t>::max())
        throw Error(
            formatMessage(QStringLiteral("Image trop grande pour le format BMP : %d × %d pixels."),
                          {width, height}));

    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(HeadersSize + imageSize));
    writeHeaders(bytes.data(), width, height, static_cast<std::uint32_t>(imageSize));
    std::uint8_t* const pixels = bytes.data() + HeadersSize;
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        std::uint8_t* target = pixels + (height - 1 - y) * stride;
        for (int x = 0; x < width; ++x, target += 3) {
            target[0] = static_cast<std::uint8_t>(qBlue(row[x]));
            target[1] = static_cast<std::uint8_t>(qGreen(row[x]));
            target[2] = static_cast<std::uint8_t>(qRed(row[x]));
        }
    }
    system::replaceFileContent(path, std::as_bytes(std::span(bytes)));
}

} // namespace orvandel::imaging
