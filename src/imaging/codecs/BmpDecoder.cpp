#include "BmpDecoder.h"

#include "BmpHeader.h"
#include "BmpPixels.h"
#include "BmpRle.h"
#include "common/Messages.h"
#include "imaging/PictureLimits.h"

#include <algorithm>

namespace orvandel::imaging {

namespace {

using bmp::Compression;
using bmp::Container;
using bmp::DibHeader;

constexpr std::size_t FileHeaderSize = 14;
constexpr std::size_t PixelOffsetField = 10;

bool isRle(const DibHeader& header) {
    return header.compression == Compression::Rle8 || header.compression == Compression::Rle4;
}

// From the start of the info header. An offset of zero, or one inside the header, is a writer's
// mistake: the pixels are then taken right after the palette.
std::int64_t pixelOffsetOf(const DibHeader& header, ByteView file, ByteView dib) {
    const std::int64_t stored =
        std::int64_t{bmp::readUint32(file, PixelOffsetField)} - std::int64_t{FileHeaderSize};
    const std::int64_t offset =
        stored >= header.paletteOffset ? stored : header.declaredPaletteEnd();
    if (offset > std::ssize(dib))
        bmp::fail(
            Container::Bitmap,
            formatMessage(QStringLiteral("les pixels commencent après la fin du fichier (%d)."),
                          {offset + std::int64_t{FileHeaderSize}}));
    return offset;
}

// A writer may store fewer entries than announced: the pixels then start inside the palette.
std::int64_t storedPaletteEntries(const DibHeader& header, std::int64_t pixelOffset) {
    if (!header.hasPalette())
        return 0;
    const std::int64_t room = (pixelOffset - header.paletteOffset) / header.paletteEntrySize;
    return std::min({header.declaredPaletteEntries, std::int64_t{1} << header.bitCount, room});
}

QImage decodeUncompressed(ByteView pixels, const DibHeader& header, const bmp::Palette& palette) {
    const std::int64_t needed = (header.height - 1) * header.rowStride() + header.rowLength();
    if (std::ssize(pixels) < needed)
        bmp::fail(Container::Bitmap, QStringLiteral("pixels tronqués."));
    const bool withAlpha = bmp::hasAlphaMask(header);
    QImage picture = bmp::allocatePicture(
        header, withAlpha ? QImage::Format_ARGB32 : QImage::Format_RGB32, Container::Bitmap);
    bmp::decodeRows(pixels, header, palette, picture);
    if (withAlpha && bmp::isAlphaAllZero(picture))
        bmp::makeOpaque(picture);
    return picture;
}

QImage decodeRleBitmap(ByteView data, const DibHeader& header, const bmp::Palette& palette,
                       QSize bound) {
    if (header.rowOrder == bmp::RowOrder::TopDown)
        bmp::fail(Container::Bitmap,
                  QStringLiteral("une image compressée en RLE ne peut pas être stockée de haut en "
                                 "bas."));
    return bmp::decodeRle(data, header, palette,
                          bmp::rleReduction(header.width, header.height, bound), Container::Bitmap);
}

// Mask bit 1 is a transparent pixel; a 0 keeps the colour, made opaque.
void applyAndMask(ByteView mask, const DibHeader& header, QImage& picture) {
    const std::int64_t stride = ((header.width + 31) / 32) * 4;
    for (std::int64_t row = 0; row < header.height; ++row) {
        const std::uint8_t* bits = mask.data() + row * stride;
        const std::int64_t pictureRow =
            header.rowOrder == bmp::RowOrder::TopDown ? row : header.height - 1 - row;
        auto* target = reinterpret_cast<QRgb*>(picture.scanLine(static_cast<int>(pictureRow)));
        for (int x = 0; x < picture.width(); ++x) {
            const bool transparent = ((bits[x >> 3] >> (7 - (x & 7))) & 1) != 0;
            target[x] = transparent ? 0 : target[x] | 0xFF000000;
        }
    }
}

} // namespace

QImage decodeBmp(ByteView file, QSize bound) {
    if (file.size() < 2 || file[0] != 'B' || file[1] != 'M')
        bmp::fail(Container::Bitmap, QStringLiteral("signature « BM » absente."));
    if (file.size() < FileHeaderSize)
        bmp::fail(Container::Bitmap, QStringLiteral("en-tête tronqué."));
    const ByteView dib = file.subspan(FileHeaderSize);
    const DibHeader header = bmp::readDibHeader(dib, Container::Bitmap);
    checkPictureSize(header.width, header.height, bmp::formatName(Container::Bitmap));
    const std::int64_t pixelOffset = pixelOffsetOf(header, file, dib);
    const bmp::Palette palette =
        bmp::readPalette(dib, header, storedPaletteEntries(header, pixelOffset));
    const ByteView pixels = dib.subspan(static_cast<std::size_t>(pixelOffset));
    return isRle(header) ? decodeRleBitmap(pixels, header, palette, bound)
                         : decodeUncompressed(pixels, header, palette);
}

QImage decodeIconDib(ByteView dib) {
    DibHeader header = bmp::readDibHeader(dib, Container::Icon);
    if (isRle(header))
        bmp::fail(Container::Icon,
                  formatMessage(QStringLiteral("compression non prise en charge (%d)."),
                                {static_cast<std::uint32_t>(header.compression)}));
    // The stored height counts the colour rows and the mask rows.
    header.height /= 2;
    checkPictureSize(header.width, header.height, bmp::formatName(Container::Icon));
    const std::int64_t pixelOffset = header.declaredPaletteEnd();
    if (pixelOffset > std::ssize(dib))
        bmp::fail(Container::Icon, QStringLiteral("palette tronquée."));
    const std::int64_t colourSize = header.rowStride() * header.height;
    if (std::ssize(dib) - pixelOffset < colourSize)
        bmp::fail(Container::Icon, QStringLiteral("pixels tronqués."));

    // Without alpha the mask is needed: check it is all there before decoding the colours.
    const ByteView mask = dib.subspan(static_cast<std::size_t>(pixelOffset + colourSize));
    const bool maskComplete = std::ssize(mask) >= ((header.width + 31) / 32) * 4 * header.height;
    if (!maskComplete && !bmp::hasAlphaMask(header))
        bmp::fail(Container::Icon, QStringLiteral("masque de transparence tronqué."));

    const bmp::Palette palette =
        bmp::readPalette(dib, header, header.hasPalette() ? header.declaredPaletteEntries : 0);
    QImage picture = bmp::allocatePicture(header, QImage::Format_ARGB32, Container::Icon);
    bmp::decodeRows(dib.subspan(static_cast<std::size_t>(pixelOffset)), header, palette, picture);
    if (bmp::hasAlphaMask(header) && !bmp::isAlphaAllZero(picture))
        return picture;
    if (!maskComplete)
        bmp::fail(Container::Icon, QStringLiteral("masque de transparence tronqué."));
    applyAndMask(mask, header, picture);
    return picture;
}

} // namespace orvandel::imaging
