#include "imaging/codecs/PngDecoder.h"

#include "CodecFixtures.h"
#include "PictureFixtures.h"
#include "common/Error.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>

using namespace orvandel::imaging;
using fixtures::PngFormat;
using fixtures::PngInterlace;

namespace {

// Pictures whose every value the PNG depth can hold, so that they must come back exactly.

QImage greyPicture(int depth, int width = 11, int height = 5) {
    const int levels = 1 << qMin(depth, 8);
    QImage picture(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int grey = ((x + 2 * y) % levels) * 255 / (levels - 1);
            picture.setPixel(x, y, qRgb(grey, grey, grey));
        }
    }
    return picture;
}

QImage colourPicture(int width = 11, int height = 5) {
    return fixtures::patternPicture(width, height).convertToFormat(QImage::Format_ARGB32);
}

// `count` distinct colours repeated over the picture.
QImage palettePicture(int count, int width = 11, int height = 5) {
    QImage picture(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int index = (x + 3 * y) % count;
            picture.setPixel(x, y, qRgb(index * 7 % 256, 255 - index, index * 53 % 256));
        }
    }
    return picture;
}

QImage withTransparentEntries(QImage picture) {
    picture.setPixel(0, 0, qRgba(10, 20, 30, 0));
    picture.setPixel(1, 0, qRgba(10, 20, 30, 128));
    return picture;
}

// `picture` with alpha 0 wherever it has the colour `key`.
QImage keyedOut(QImage picture, QRgb key) {
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            if (picture.pixel(x, y) == key)
                picture.setPixel(x, y, key & 0x00FFFFFF);
        }
    }
    return picture;
}

struct PngCase {
    const char* name;
    QImage picture;
    PngFormat format;
    QImage::Format decodedFormat;
    QImage expected; // the picture itself when null
};

bool sameArgb(const QImage& decoded, const QImage& expected) {
    if (decoded.size() != expected.size())
        return false;
    for (int y = 0; y < decoded.height(); ++y) {
        for (int x = 0; x < decoded.width(); ++x) {
            if (decoded.pixel(x, y) != expected.pixel(x, y)) {
                ADD_FAILURE() << "pixel " << x << "," << y << ": " << std::hex
                              << decoded.pixel(x, y) << " instead of " << expected.pixel(x, y);
                return false;
            }
        }
    }
    return true;
}

std::vector<PngCase> pngCases() {
    const QRgb greyKey = qRgb(85, 85, 85);
    const QImage rgb = colourPicture();
    const QRgb colourKey = rgb.pixel(3, 2);
    const auto format = [](std::uint8_t colourType, std::uint8_t depth,
                           PngInterlace interlace = PngInterlace::None,
                           std::optional<QRgb> key = std::nullopt) {
        return PngFormat{colourType, depth, interlace, key};
    };
    constexpr auto Opaque = QImage::Format_RGB32;
    constexpr auto Alpha = QImage::Format_ARGB32;
    return {
        {"grey1", greyPicture(1), format(0, 1), Opaque, {}},
        {"grey2", greyPicture(2), format(0, 2), Opaque, {}},
        {"grey4", greyPicture(4), format(0, 4), Opaque, {}},
        {"grey8", greyPicture(8), format(0, 8), Opaque, {}},
        {"grey16", greyPicture(8), format(0, 16), Opaque, {}},
        {"greyAlpha8", fixtures::withVaryingAlpha(greyPicture(8)), format(4, 8), Alpha, {}},
        {"greyAlpha16", fixtures::withVaryingAlpha(greyPicture(8)), format(4, 16), Alpha, {}},
        {"rgb8", rgb, format(2, 8), Opaque, {}},
        {"rgb16", rgb, format(2, 16), Opaque, {}},
        {"rgba8", fixtures::withVaryingAlpha(rgb), format(6, 8), Alpha, {}},
        {"rgba16", fixtures::withVaryingAlpha(rgb), format(6, 16), Alpha, {}},
        {"palette1", palettePicture(2), format(3, 1), Opaque, {}},
        {"palette2", palettePicture(4), format(3, 2), Opaque, {}},
        {"palette4", palettePicture(16), format(3, 4), Opaque, {}},
        {"palette8", palettePicture(55), format(3, 8), Opaque, {}},
        {"paletteWithAlpha", withTransparentEntries(palettePicture(16)), format(3, 8), Alpha, {}},
        {"greyKey", greyPicture(2), format(0, 2, PngInterlace::None, greyKey), Alpha,
         keyedOut(greyPicture(2), greyKey)},
        {"rgb16Key", rgb, format(2, 16, PngInterlace::None, colourKey), Alpha,
         keyedOut(rgb, colourKey)},
        {"interlacedRgb8", colourPicture(17, 13), format(2, 8, PngInterlace::Adam7), Opaque, {}},
        {"interlacedPalette4",
         palettePicture(16, 17, 13),
         format(3, 4, PngInterlace::Adam7),
         Opaque,
         {}},
        {"interlacedRgba16",
         fixtures::withVaryingAlpha(colourPicture(17, 13)),
         format(6, 16, PngInterlace::Adam7),
         Alpha,
         {}},
        {"interlacedTiny", colourPicture(1, 1), format(2, 8, PngInterlace::Adam7), Opaque, {}},
    };
}

QString errorOf(const QByteArray& bytes) {
    try {
        decodePng(fixtures::view(bytes));
    } catch (const orvandel::Error& error) {
        return error.message();
    }
    return QStringLiteral("(decoded)");
}

std::uint32_t crc32(const QByteArray& bytes) {
    std::uint32_t crc = 0xFFFFFFFFU;
    for (const char byte : bytes) {
        crc ^= static_cast<unsigned char>(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320U & (0U - (crc & 1U)));
    }
    return ~crc;
}

void putBigEndian(QByteArray& bytes, qsizetype offset, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[offset + i] = static_cast<char>(value >> (24 - 8 * i));
}

// `png` with the checksum of its header (the first chunk) made right again.
QByteArray rechecked(QByteArray png) {
    putBigEndian(png, 29, crc32(png.mid(12, 17)));
    return png;
}

QByteArray withHeaderSize(QByteArray png, std::uint32_t width, std::uint32_t height) {
    putBigEndian(png, 16, width);
    putBigEndian(png, 20, height);
    return rechecked(png);
}

} // namespace

TEST(PngDecoder, DecodesEveryColourTypeDepthAndInterlace) {
    for (const PngCase& test : pngCases()) {
        SCOPED_TRACE(test.name);
        const QImage decoded =
            decodePng(fixtures::view(fixtures::encodePng(test.picture, test.format)));
        EXPECT_EQ(decoded.format(), test.decodedFormat);
        const QImage& expected = test.expected.isNull() ? test.picture : test.expected;
        EXPECT_TRUE(sameArgb(decoded.convertToFormat(QImage::Format_ARGB32), expected));
    }
}

TEST(PngDecoder, RefusesDamagedFiles) {
    const QByteArray png = fixtures::encodePng(colourPicture(40, 30), PngFormat{2, 8});
    const qsizetype data = png.indexOf("IDAT");
    ASSERT_GT(data, 0);
    struct Case {
        const char* name;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"empty", {}},
        {"signature only", fixtures::truncated(png, 8)},
        {"cut in the header", fixtures::truncated(png, 20)},
        {"header only", fixtures::truncated(png, 33)},
        {"cut in the data", fixtures::truncated(png, data + 30)},
        {"cut at the end of the compressed data", fixtures::truncated(png, png.size() - 20)},
        {"not a PNG", fixtures::flipped(png, 1)},
        {"header checksum", fixtures::flipped(png, 18, 0x01)},
        {"data checksum", fixtures::flipped(png, data + 20, 0x10)},
        {"bit depth 3", rechecked(fixtures::flipped(png, 24, 0x0B))},
        {"colour type 5", rechecked(fixtures::flipped(png, 25, 0x07))},
        {"no width", withHeaderSize(png, 0, 30)},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        EXPECT_TRUE(errorOf(test.bytes).startsWith(QStringLiteral("Image PNG invalide : ")))
            << errorOf(test.bytes).toStdString();
    }
}

TEST(PngDecoder, AcceptsAFileMissingOnlyItsEndChunk) {
    const QImage picture = colourPicture(40, 30);
    const QByteArray png = fixtures::encodePng(picture, PngFormat{2, 8});
    EXPECT_EQ(decodePng(fixtures::view(fixtures::truncated(png, png.size() - 12)))
                  .convertToFormat(QImage::Format_ARGB32),
              picture);
}

TEST(PngDecoder, RefusesAPictureLargerThanTheLimit) {
    const QByteArray png = fixtures::encodePng(colourPicture(40, 30), PngFormat{2, 8});
    EXPECT_EQ(errorOf(withHeaderSize(png, 100000, 100000)),
              QStringLiteral("Image PNG trop grande : 100000 × 100000 pixels."));
}
