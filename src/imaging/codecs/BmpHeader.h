#pragma once

#include "imaging/ByteView.h"

#include <QRgb>
#include <QString>

#include <array>
#include <cstdint>

// The parts of a device-independent bitmap shared by .bmp files and icon entries.
namespace orvandel::imaging::bmp {

// Where the bitmap came from, so that the error texts name the file the user opened.
enum class Container { Bitmap, Icon };

[[noreturn]] void fail(Container container, const QString& reason);
// The format name given to checkPictureSize.
QString formatName(Container container);

inline std::uint16_t readUint16(ByteView bytes, std::size_t offset) {
    return static_cast<std::uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

inline std::uint32_t readUint32(ByteView bytes, std::size_t offset) {
    return static_cast<std::uint32_t>(bytes[offset]) |
           (static_cast<std::uint32_t>(bytes[offset + 1]) << 8) |
           (static_cast<std::uint32_t>(bytes[offset + 2]) << 16) |
           (static_cast<std::uint32_t>(bytes[offset + 3]) << 24);
}

enum class Compression : std::uint32_t {
    Rgb = 0,
    Rle8 = 1,
    Rle4 = 2,
    Bitfields = 3,
    AlphaBitfields = 6,
};

enum class RowOrder { BottomUp, TopDown };

// Red, green, blue and alpha masks of 16- and 32-bit pixels.
struct ChannelMasks {
    std::uint32_t red = 0;
    std::uint32_t green = 0;
    std::uint32_t blue = 0;
    std::uint32_t alpha = 0;
};

struct DibHeader {
    std::uint32_t headerSize = 0;
    std::int64_t width = 0;
    // Always positive; the sign of the stored height is in rowOrder.
    std::int64_t height = 0;
    RowOrder rowOrder = RowOrder::BottomUp;
    int bitCount = 0;
    Compression compression = Compression::Rgb;
    ChannelMasks masks;
    // 3 bytes (BGR) in the OS/2 core header, 4 (BGRX) otherwise.
    std::int64_t paletteEntrySize = 4;
    // Entries the header announces, before the pixel offset is known to leave room for them.
    std::int64_t declaredPaletteEntries = 0;
    // From the start of the header: the palette follows the header and any masks after it.
    std::int64_t paletteOffset = 0;

    std::int64_t rowStride() const { return ((width * bitCount + 31) / 32) * 4; }
    // The bytes a row holds without its padding, which the last row of a file may lack.
    std::int64_t rowLength() const { return (width * bitCount + 7) / 8; }
    bool hasPalette() const { return bitCount <= 8; }
    std::int64_t declaredPaletteEnd() const {
        return paletteOffset + declaredPaletteEntries * paletteEntrySize;
    }
};

// Reads the info header at the start of `dib` (and the masks stored after a 40-byte header),
// checking the bit count, the compression and the masks. The dimensions are checked by the caller.
DibHeader readDibHeader(ByteView dib, Container container);

// Palette indices map through a full table: indices beyond the stored entries give black.
using Palette = std::array<QRgb, 256>;

// Reads `entries` palette entries from `dib` at header.paletteOffset; the caller checked the room.
Palette readPalette(ByteView dib, const DibHeader& header, std::int64_t entries);

} // namespace orvandel::imaging::bmp
