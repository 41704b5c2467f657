#include "BmpFixtures.h"
#include "PictureFixtures.h"
#include "Seeds.h"

namespace seeds {

namespace {

using fixtures::BmpDescription;

constexpr int Width = 13;
constexpr int Height = 5;

QList<QRgb> paletteOf(int count) {
    QList<QRgb> colours;
    for (int index = 0; index < count; ++index)
        colours.append(qRgb(index * 16, 255 - index * 3, (index * 41) & 0xFF));
    return colours;
}

BmpDescription describe(std::uint32_t headerSize, std::uint16_t bitCount,
                        std::uint32_t compression = 0) {
    BmpDescription description;
    description.headerSize = headerSize;
    description.width = Width;
    description.height = Height;
    description.bitCount = bitCount;
    description.compression = compression;
    if (bitCount <= 8) {
        description.palette = paletteOf(1 << bitCount);
        description.colorsUsed = static_cast<std::uint32_t>(description.palette.size());
    }
    return description;
}

// Pixel values of the pattern picture stored at `bitCount` bits.
QByteArray patternRows(std::uint16_t bitCount,
                       fixtures::RowOrder order = fixtures::RowOrder::BottomUp) {
    const QImage pattern = fixtures::patternPicture(Width, Height);
    const auto value = [&](int x, int y) -> std::uint32_t {
        const QRgb colour = pattern.pixel(x, y);
        switch (bitCount) {
        case 1:
        case 4:
        case 8:
            return static_cast<std::uint32_t>((x + y) % (1 << bitCount));
        case 16:
            return static_cast<std::uint32_t>((qRed(colour) >> 3) << 11 |
                                              (qGreen(colour) >> 2) << 5 | (qBlue(colour) >> 3));
        default:
            return colour & 0x7FFFFFFF;
        }
    };
    return fixtures::packedRows(fixtures::storedRows(Width, Height, value, order), bitCount);
}

QByteArray iconDib(std::uint16_t bitCount) {
    BmpDescription description = describe(40, bitCount);
    const QByteArray mask = fixtures::packedRows(
        fixtures::storedRows(Width, Height,
                             [](int x, int y) { return (x + y) % 3 == 0 ? 1U : 0U; }),
        1);
    return fixtures::iconDib(description, patternRows(bitCount), mask);
}

} // namespace

QList<QByteArray> bmp() {
    QList<QByteArray> seeds;
    for (const std::uint16_t bitCount : {1, 4, 8, 24, 32})
        seeds.append(fixtures::bmpFile(describe(40, bitCount), patternRows(bitCount)));
    seeds.append(fixtures::bmpFile(describe(12, 8), patternRows(8)));
    BmpDescription topDown = describe(40, 24);
    topDown.height = -Height;
    seeds.append(fixtures::bmpFile(topDown, patternRows(24, fixtures::RowOrder::TopDown)));
    BmpDescription bitfields = describe(40, 16, 3);
    bitfields.masks = {0xF800, 0x07E0, 0x001F, 0};
    seeds.append(fixtures::bmpFile(bitfields, patternRows(16)));
    BmpDescription withAlpha = describe(124, 32, 3);
    withAlpha.masks = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
    seeds.append(fixtures::bmpFile(withAlpha, patternRows(32)));
    seeds.append(fixtures::bmpFile(
        describe(40, 8, 1),
        fixtures::bytes({3, 1, 0, 3, 2, 3, 4, 0, 0, 0, 0, 2, 2, 1, 4, 5, 0, 0, 0, 1})));
    seeds.append(fixtures::bmpFile(
        describe(40, 4, 2), fixtures::bytes({5, 0x12, 0, 3, 0x34, 0x50, 0, 0, 0, 2, 1, 1, 0, 1})));
    seeds.append(iconDib(4));
    seeds.append(iconDib(32));
    // Several kilobytes, so that mutations also meet long rows and a long pixel array.
    BmpDescription large = describe(40, 24);
    large.width = 64;
    large.height = 40;
    seeds.append(fixtures::bmpFile(
        large, fixtures::packedRows(fixtures::storedRows(64, 40,
                                                         [](int x, int y) {
                                                             return std::uint32_t(x * 4) << 16 |
                                                                    std::uint32_t(y * 6) << 8 |
                                                                    std::uint32_t((x + y) * 2);
                                                         }),
                                    24)));
    return seeds;
}

QList<QByteArray> ico() {
    const QByteArray paletted = iconDib(4);
    const QByteArray deep = iconDib(32);
    QImage translucent(Width, Height, QImage::Format_ARGB32);
    translucent.fill(qRgba(200, 100, 50, 128));
    return {
        fixtures::icoFile({{Width, Height, 4, paletted}, {Width, Height, 32, deep}}),
        fixtures::icoFile({{Width, Height, 32, deep}}, 2),
        fixtures::icoFile(
            {{Width, Height, 8, iconDib(8)}, {Width, Height, 32, fixtures::pngFile(translucent)}}),
    };
}

} // namespace seeds
