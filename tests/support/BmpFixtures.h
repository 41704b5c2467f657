#pragma once

#include <QByteArray>
#include <QList>
#include <QRgb>

#include <array>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>

// Builders of BMP, icon DIB and ICO bytes from a description, for the codec tests and seeds.
namespace fixtures {

struct BmpDescription {
    // 12 (OS/2 core header), 16 to 64, 108 (V4) or 124 (V5).
    std::uint32_t headerSize = 40;
    std::int32_t width = 1;
    // Negative for rows stored top-down.
    std::int32_t height = 1;
    std::uint16_t bitCount = 24;
    std::uint32_t compression = 0;
    std::uint32_t colorsUsed = 0;
    // Stored BGRX, or BGR in a core header.
    QList<QRgb> palette;
    // Red, green, blue, alpha: inside a header of 52 bytes or more (but not the 64-byte OS/2 one),
    // otherwise after the header when the compression is BI_BITFIELDS (3) or BI_ALPHABITFIELDS (6).
    std::array<std::uint32_t, 4> masks{};
};

QByteArray bytes(std::initializer_list<int> values);

// The info header, any masks after it and the palette: the start of a DIB.
QByteArray dibHeader(const BmpDescription& description);

// A .bmp file. bfOffBits is `pixelOffset` when given (the pixels are moved there when it lies
// beyond the palette), otherwise the position right after the palette.
QByteArray bmpFile(const BmpDescription& description, const QByteArray& pixels,
                   std::optional<std::uint32_t> pixelOffset = std::nullopt);

enum class RowOrder { BottomUp, TopDown };

// The rows of a width × height picture in the order a file stores them, value(x, y) per pixel.
QList<QList<std::uint32_t>> storedRows(int width, int height,
                                       const std::function<std::uint32_t(int x, int y)>& value,
                                       RowOrder order = RowOrder::BottomUp);

// Rows in stored order, each value packed at `bitCount` bits (palette indices, 16- or 32-bit
// words, 0xRRGGBB stored as BGR for 24 bits), every row padded to 4 bytes.
QByteArray packedRows(const QList<QList<std::uint32_t>>& rows, int bitCount);

// A DIB as an icon stores it: the header says twice `description.height`, and the colour rows are
// followed by the AND mask rows.
QByteArray iconDib(const BmpDescription& description, const QByteArray& colourRows,
                   const QByteArray& maskRows);

struct IcoEntry {
    // 256 is stored as 0.
    int width = 16;
    int height = 16;
    int bitCount = 32;
    QByteArray data;
};

// An .ico (type 1) or .cur (type 2) file: the directory, then the entries' data in order.
QByteArray icoFile(const QList<IcoEntry>& entries, std::uint16_t type = 1);

} // namespace fixtures
