#include "BmpHeader.h"

#include "common/Error.h"
#include "common/Messages.h"

#include <algorithm>
#include <bit>

namespace orvandel::imaging::bmp {

namespace {

constexpr std::uint32_t CoreHeaderSize = 12;
constexpr std::uint32_t SmallestInfoHeaderSize = 16;
constexpr std::uint32_t InfoHeaderSize = 40;
// OS/2 2.x: the bytes after the first 40 are not masks, and compressions 3 and 4 mean Huffman
// and RLE24 there.
constexpr std::uint32_t Os2HeaderSize = 64;
constexpr std::uint32_t OpaqueAlphaMask = 0xFF000000;

bool masksInHeader(std::uint32_t headerSize, std::uint32_t lastByte) {
    return headerSize >= lastByte && headerSize != Os2HeaderSize;
}

// A header shorter than 40 bytes (OS/2 2.x) stops early: its missing fields read as zero.
std::uint32_t fieldOrZero(ByteView dib, std::uint32_t headerSize, std::uint32_t offset) {
    return offset + 4 <= headerSize ? readUint32(dib, offset) : 0;
}

void readCoreHeader(ByteView dib, Container container, DibHeader& header) {
    if (dib.size() < CoreHeaderSize)
        fail(container, QStringLiteral("en-tête tronqué."));
    header.width = readUint16(dib, 4);
    header.height = readUint16(dib, 6);
    header.bitCount = readUint16(dib, 10);
    header.paletteEntrySize = 3;
    header.paletteOffset = CoreHeaderSize;
}

Compression checkedCompression(std::uint32_t value, std::uint32_t headerSize, Container container) {
    const bool known = value == 0 || value == 1 || value == 2 || value == 3 || value == 6;
    if (!known || (headerSize == Os2HeaderSize && value == 3))
        fail(container,
             formatMessage(QStringLiteral("compression non prise en charge (%d)."), {value}));
    return static_cast<Compression>(value);
}

void readInfoHeader(ByteView dib, Container container, DibHeader& header) {
    const std::uint32_t size = header.headerSize;
    if (size < SmallestInfoHeaderSize)
        fail(container,
             formatMessage(QStringLiteral("taille d'en-tête inconnue (%d octets)."), {size}));
    if (dib.size() < size)
        fail(container, QStringLiteral("en-tête tronqué."));
    header.width = static_cast<std::int32_t>(readUint32(dib, 4));
    const std::int64_t height = static_cast<std::int32_t>(readUint32(dib, 8));
    header.rowOrder = height < 0 ? RowOrder::TopDown : RowOrder::BottomUp;
    header.height = height < 0 ? -height : height;
    header.bitCount = readUint16(dib, 14);
    header.compression = checkedCompression(fieldOrZero(dib, size, 16), size, container);
    header.paletteOffset = size;
    header.declaredPaletteEntries = fieldOrZero(dib, size, 32);
}

void checkBitCount(const DibHeader& header, Container container) {
    const int bits = header.bitCount;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        fail(container,
             formatMessage(QStringLiteral("profondeur de %d bits non prise en charge."), {bits}));
    const Compression compression = header.compression;
    const bool fits =
        compression == Compression::Rgb || (compression == Compression::Rle8 && bits == 8) ||
        (compression == Compression::Rle4 && bits == 4) ||
        ((compression == Compression::Bitfields || compression == Compression::AlphaBitfields) &&
         (bits == 16 || bits == 32));
    if (!fits)
        fail(container,
             formatMessage(QStringLiteral("compression %d incompatible avec %d bits par pixel."),
                           {static_cast<std::uint32_t>(compression), bits}));
}

// A mask must be one run of bits inside the pixel.
bool isValidMask(std::uint32_t mask, int bitCount) {
    const bool insidePixel = bitCount == 32 || (mask >> bitCount) == 0;
    const std::uint32_t run = mask == 0 ? 0 : mask >> std::countr_zero(mask);
    return insidePixel && (run & (run + 1)) == 0;
}

void readBitfieldMasks(ByteView dib, Container container, DibHeader& header) {
    const std::uint32_t size = header.headerSize;
    const bool withAlpha = header.compression == Compression::AlphaBitfields;
    std::uint32_t offset = InfoHeaderSize;
    if (!masksInHeader(size, withAlpha ? 56 : 52)) {
        // A short header is followed by the masks, and the palette comes after them.
        offset = size;
        header.paletteOffset = size + (withAlpha ? 16 : 12);
        if (static_cast<std::int64_t>(dib.size()) < header.paletteOffset)
            fail(container, QStringLiteral("en-tête tronqué."));
    }
    header.masks.red = readUint32(dib, offset);
    header.masks.green = readUint32(dib, offset + 4);
    header.masks.blue = readUint32(dib, offset + 8);
    if (withAlpha || masksInHeader(size, 56))
        header.masks.alpha = readUint32(dib, offset + 12);
    for (std::uint32_t mask : {header.masks.red, header.masks.green, header.masks.blue}) {
        if (!isValidMask(mask, header.bitCount))
            fail(container, formatMessage(QStringLiteral("masque de couleur invalide (0x%s)."),
                                          {QString::number(mask, 16).rightJustified(8, u'0')}));
    }
    // Some writers fill the alpha mask of pictures that have none: ignore one that cannot be.
    if (!isValidMask(header.masks.alpha, header.bitCount))
        header.masks.alpha = 0;
}

void setDefaultMasks(ByteView dib, Container container, DibHeader& header) {
    if (header.bitCount == 16) {
        header.masks = {0x7C00, 0x03E0, 0x001F, 0};
    } else if (header.bitCount == 32) {
        header.masks = {0x00FF0000, 0x0000FF00, 0x000000FF, 0};
        // Icons keep their alpha in the fourth byte; a .bmp says so with a V3+ header's mask.
        const bool alphaAnnounced =
            masksInHeader(header.headerSize, 56) && readUint32(dib, 52) == OpaqueAlphaMask;
        if (container == Container::Icon || alphaAnnounced)
            header.masks.alpha = OpaqueAlphaMask;
    }
}

void settlePalette(DibHeader& header) {
    if (header.hasPalette() && header.declaredPaletteEntries == 0)
        header.declaredPaletteEntries = std::int64_t{1} << header.bitCount;
}

} // namespace

void fail(Container container, const QString& reason) {
    const QString format =
        container == Container::Icon ? QStringLiteral("ICO") : QStringLiteral("BMP");
    throw Error(formatMessage(QStringLiteral("Fichier %s invalide : %s"), {format, reason}));
}

QString formatName(Container container) {
    return container == Container::Icon ? QStringLiteral("ICO") : QStringLiteral("BMP");
}

DibHeader readDibHeader(ByteView dib, Container container) {
    if (dib.size() < 4)
        fail(container, QStringLiteral("en-tête tronqué."));
    DibHeader header;
    header.headerSize = readUint32(dib, 0);
    if (header.headerSize == CoreHeaderSize)
        readCoreHeader(dib, container, header);
    else
        readInfoHeader(dib, container, header);
    checkBitCount(header, container);
    if (header.compression == Compression::Bitfields ||
        header.compression == Compression::AlphaBitfields)
        readBitfieldMasks(dib, container, header);
    else
        setDefaultMasks(dib, container, header);
    settlePalette(header);
    return header;
}

Palette readPalette(ByteView dib, const DibHeader& header, std::int64_t entries) {
    Palette palette;
    palette.fill(qRgb(0, 0, 0));
    const std::int64_t count = std::min<std::int64_t>(entries, std::ssize(palette));
    const std::uint8_t* entry = dib.data() + header.paletteOffset;
    for (std::int64_t index = 0; index < count; ++index, entry += header.paletteEntrySize)
        palette[static_cast<std::size_t>(index)] = qRgb(entry[2], entry[1], entry[0]);
    return palette;
}

} // namespace orvandel::imaging::bmp
