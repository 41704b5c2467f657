#include "BmpPixels.h"

#include "common/Error.h"
#include "imaging/PictureBuffer.h"

#include <algorithm>
#include <bit>

namespace orvandel::imaging::bmp {

namespace {

// Extracts one channel through its mask and scales it to 8 bits with a table.
class ChannelScale {
public:
    // `missingLevel` is what a channel without a mask reads as.
    ChannelScale(std::uint32_t mask, std::uint8_t missingLevel) {
        if (mask == 0) {
            levels[0] = missingLevel;
            return;
        }
        // Channels wider than 8 bits keep their 8 high bits.
        const int bits = std::popcount(mask);
        const int kept = std::min(bits, 8);
        shift = std::countr_zero(mask) + bits - kept;
        lowMask = (1U << kept) - 1;
        for (std::uint32_t level = 0; level <= lowMask; ++level)
            levels[level] = static_cast<std::uint8_t>((level * 255 + lowMask / 2) / lowMask);
    }

    std::uint8_t operator()(std::uint32_t pixel) const {
        return levels[(pixel >> shift) & lowMask];
    }

private:
    int shift = 0;
    std::uint32_t lowMask = 0;
    std::array<std::uint8_t, 256> levels{};
};

class MaskedPixel {
public:
    explicit MaskedPixel(const ChannelMasks& masks)
        : red(masks.red, 0)
        , green(masks.green, 0)
        , blue(masks.blue, 0)
        , alpha(masks.alpha, 0xFF) {}

    QRgb operator()(std::uint32_t pixel) const {
        return qRgba(red(pixel), green(pixel), blue(pixel), alpha(pixel));
    }

private:
    ChannelScale red;
    ChannelScale green;
    ChannelScale blue;
    ChannelScale alpha;
};

enum class RowKind { Indexed1, Indexed4, Indexed8, Masked16, Bgr24, Bgrx32, Bgra32, Masked32 };

RowKind rowKindOf(const DibHeader& header) {
    const ChannelMasks& masks = header.masks;
    switch (header.bitCount) {
    case 1:
        return RowKind::Indexed1;
    case 4:
        return RowKind::Indexed4;
    case 8:
        return RowKind::Indexed8;
    case 16:
        return RowKind::Masked16;
    case 24:
        return RowKind::Bgr24;
    default:
        break;
    }
    const bool standardColours =
        masks.red == 0x00FF0000 && masks.green == 0x0000FF00 && masks.blue == 0x000000FF;
    if (standardColours && masks.alpha == 0)
        return RowKind::Bgrx32;
    if (standardColours && masks.alpha == 0xFF000000)
        return RowKind::Bgra32;
    return RowKind::Masked32;
}

std::uint32_t readPixel32(const std::uint8_t* source) {
    return readUint32({source, 4}, 0);
}

void decodeIndexed1(const std::uint8_t* source, QRgb* target, int width, const Palette& palette) {
    for (int x = 0; x < width; ++x)
        target[x] = palette[(source[x >> 3] >> (7 - (x & 7))) & 1];
}

void decodeIndexed4(const std::uint8_t* source, QRgb* target, int width, const Palette& palette) {
    for (int x = 0; x < width; ++x) {
        const std::uint8_t pair = source[x >> 1];
        target[x] = palette[(x & 1) != 0 ? pair & 0x0F : pair >> 4];
    }
}

void decodeIndexed8(const std::uint8_t* source, QRgb* target, int width, const Palette& palette) {
    for (int x = 0; x < width; ++x)
        target[x] = palette[source[x]];
}

void decodeMasked16(const std::uint8_t* source, QRgb* target, int width,
                    const MaskedPixel& masked) {
    for (int x = 0; x < width; ++x, source += 2)
        target[x] = masked(static_cast<std::uint32_t>(source[0] | (source[1] << 8)));
}

void decodeBgr24(const std::uint8_t* source, QRgb* target, int width) {
    for (int x = 0; x < width; ++x, source += 3)
        target[x] = qRgb(source[2], source[1], source[0]);
}

void decodeBgrx32(const std::uint8_t* source, QRgb* target, int width) {
    for (int x = 0; x < width; ++x, source += 4)
        target[x] = 0xFF000000 | readPixel32(source);
}

void decodeBgra32(const std::uint8_t* source, QRgb* target, int width) {
    for (int x = 0; x < width; ++x, source += 4)
        target[x] = readPixel32(source);
}

void decodeMasked32(const std::uint8_t* source, QRgb* target, int width,
                    const MaskedPixel& masked) {
    for (int x = 0; x < width; ++x, source += 4)
        target[x] = masked(readPixel32(source));
}

QRgb* pictureRow(QImage& picture, const DibHeader& header, std::int64_t storedRow) {
    const std::int64_t row =
        header.rowOrder == RowOrder::TopDown ? storedRow : header.height - 1 - storedRow;
    return reinterpret_cast<QRgb*>(picture.scanLine(static_cast<int>(row)));
}

} // namespace

QImage allocatePicture(const DibHeader& header, QImage::Format format, Container container) {
    return newPicture(header.width, header.height, format, formatName(container));
}

bool hasAlphaMask(const DibHeader& header) {
    return header.masks.alpha != 0;
}

void decodeRows(ByteView pixels, const DibHeader& header, const Palette& palette, QImage& picture) {
    const RowKind kind = rowKindOf(header);
    const MaskedPixel masked(header.masks);
    const int width = picture.width();
    const std::int64_t stride = header.rowStride();
    for (std::int64_t row = 0; row < header.height; ++row) {
        const std::uint8_t* source = pixels.data() + row * stride;
        QRgb* target = pictureRow(picture, header, row);
        switch (kind) {
        case RowKind::Indexed1:
            decodeIndexed1(source, target, width, palette);
            break;
        case RowKind::Indexed4:
            decodeIndexed4(source, target, width, palette);
            break;
        case RowKind::Indexed8:
            decodeIndexed8(source, target, width, palette);
            break;
        case RowKind::Masked16:
            decodeMasked16(source, target, width, masked);
            break;
        case RowKind::Bgr24:
            decodeBgr24(source, target, width);
            break;
        case RowKind::Bgrx32:
            decodeBgrx32(source, target, width);
            break;
        case RowKind::Bgra32:
            decodeBgra32(source, target, width);
            break;
        case RowKind::Masked32:
            decodeMasked32(source, target, width, masked);
            break;
        }
    }
}

bool isAlphaAllZero(const QImage& picture) {
    QRgb alpha = 0;
    for (int y = 0; y < picture.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        for (int x = 0; x < picture.width(); ++x)
            alpha |= row[x];
    }
    return (alpha & 0xFF000000) == 0;
}

void makeOpaque(QImage& picture) {
    for (int y = 0; y < picture.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < picture.width(); ++x)
            row[x] |= 0xFF000000;
    }
    picture.reinterpretAsFormat(QImage::Format_RGB32);
}

} // namespace orvandel::imaging::bmp
