#include "imaging/codecs/IcoDecoder.h"

#include "BmpFixtures.h"
#include "PictureFixtures.h"
#include "common/Error.h"
#include "imaging/codecs/BmpDecoder.h"

#include <gtest/gtest.h>

#include <functional>

using fixtures::BmpDescription;
using fixtures::IcoEntry;
using orvandel::imaging::decodeIco;
using orvandel::imaging::decodeIconDib;

namespace {

using PixelValue = std::function<std::uint32_t(int x, int y)>;

const QRgb red = qRgb(220, 20, 20);
const QRgb green = qRgb(20, 220, 20);
const QRgb blue = qRgb(20, 20, 220);
const QRgb grey = qRgb(120, 120, 120);

QImage decodeDib(const QByteArray& dib) {
    return decodeIconDib(fixtures::view(dib));
}
QImage decodeIcon(const QByteArray& file) {
    return decodeIco(fixtures::view(file));
}

BmpDescription iconDescription(int width, int height, std::uint16_t bitCount) {
    BmpDescription description;
    description.width = width;
    description.height = height;
    description.bitCount = bitCount;
    return description;
}

QByteArray maskRows(int width, int height, const PixelValue& transparent) {
    return fixtures::packedRows(fixtures::storedRows(width, height, transparent), 1);
}

QByteArray argbDib(int width, int height, const std::function<QRgb(int x, int y)>& colour,
                   const QByteArray& mask) {
    const auto value = [&](int x, int y) { return static_cast<std::uint32_t>(colour(x, y)); };
    return fixtures::iconDib(iconDescription(width, height, 32),
                             fixtures::packedRows(fixtures::storedRows(width, height, value), 32),
                             mask);
}

// A square entry of one colour, opaque.
IcoEntry uniformEntry(int side, int bitCount, QRgb colour) {
    BmpDescription description = iconDescription(side, side, static_cast<std::uint16_t>(bitCount));
    const bool indexed = bitCount <= 8;
    if (indexed) {
        description.colorsUsed = 1;
        description.palette = {colour};
    }
    const auto value = [&](int, int) { return indexed ? 0U : colour & 0xFFFFFFU; };
    const QByteArray colourRows =
        fixtures::packedRows(fixtures::storedRows(side, side, value), bitCount);
    const QByteArray mask = maskRows(side, side, [](int, int) { return 0U; });
    return {side, side, bitCount, fixtures::iconDib(description, colourRows, mask)};
}

void expectUniform(const QImage& picture, int side, QRgb colour) {
    ASSERT_EQ(picture.size(), QSize(side, side));
    EXPECT_EQ(picture.pixel(0, 0), colour);
    EXPECT_EQ(picture.pixel(side - 1, side - 1), colour);
}

// --- Icon DIBs ------------------------------------------------------------------------------

class IconDibTest : public ::testing::TestWithParam<int> {};

TEST_P(IconDibTest, TheAndMaskMakesPixelsTransparent) {
    const auto bitCount = static_cast<std::uint16_t>(GetParam());
    const int width = 13;
    const int height = 5;
    BmpDescription description = iconDescription(width, height, bitCount);
    QList<QRgb> colours;
    for (int index = 0; index < 16; ++index)
        colours.append(qRgb(index * 16, 255 - index * 9, 77));
    const int paletteSize = bitCount <= 8 ? std::min(1 << bitCount, 16) : 0;
    description.colorsUsed = static_cast<std::uint32_t>(paletteSize);
    description.palette = colours.first(paletteSize);
    const auto colourOf = [&](int x, int y) { return colours[(x + 2 * y) % 16]; };
    const auto value = [&](int x, int y) {
        return paletteSize > 0 ? static_cast<std::uint32_t>((x + 2 * y) % paletteSize)
                               : colourOf(x, y) & 0xFFFFFFU;
    };
    const auto transparent = [](int x, int y) { return (x * y) % 3 == 0 ? 1U : 0U; };
    const QImage picture = decodeDib(fixtures::iconDib(
        description, fixtures::packedRows(fixtures::storedRows(width, height, value), bitCount),
        maskRows(width, height, transparent)));

    EXPECT_EQ(picture.format(), QImage::Format_ARGB32);
    ASSERT_EQ(picture.size(), QSize(width, height));
    const auto expected = [&](int x, int y) {
        if (transparent(x, y) != 0)
            return QRgb{0};
        return paletteSize > 0 ? description.palette[static_cast<int>(value(x, y))]
                               : colourOf(x, y);
    };
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            ASSERT_EQ(picture.pixel(x, y), expected(x, y)) << "at " << x << ", " << y;
}

INSTANTIATE_TEST_SUITE_P(Depths, IconDibTest, ::testing::Values(1, 4, 8, 24));

const auto translucent = [](int x, int y) { return qRgba(x * 20, y * 40, 100, 10 + x * 15); };

TEST(IconDib, ThirtyTwoBitsKeepTheirAlphaWithOrWithoutAMask) {
    const QByteArray fullMask = maskRows(9, 4, [](int, int) { return 1U; });
    for (const QByteArray& mask : {fullMask, QByteArray()}) {
        const QImage picture = decodeDib(argbDib(9, 4, translucent, mask));
        EXPECT_EQ(picture.format(), QImage::Format_ARGB32);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 9; ++x)
                ASSERT_EQ(picture.pixel(x, y), translucent(x, y)) << "at " << x << ", " << y;
    }
}

TEST(IconDib, ThirtyTwoBitsWithoutAlphaUseTheMask) {
    const auto colour = [](int x, int y) { return qRgba(x * 20, y * 40, 100, 0); };
    const auto transparent = [](int x, int) { return x < 3 ? 1U : 0U; };
    const QImage picture = decodeDib(argbDib(9, 4, colour, maskRows(9, 4, transparent)));
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 9; ++x)
            ASSERT_EQ(picture.pixel(x, y), x < 3 ? 0U : colour(x, y) | 0xFF000000)
                << "at " << x << ", " << y;
}

TEST(IconDib, RefusesDamagedBitmaps) {
    const QByteArray mask = maskRows(8, 4, [](int, int) { return 0U; });
    BmpDescription rle = iconDescription(8, 4, 8);
    rle.compression = 1;
    BmpDescription flat = iconDescription(8, 1, 8);
    flat.height = 0;
    BmpDescription twoColours = iconDescription(8, 4, 8);
    twoColours.colorsUsed = 2;
    twoColours.palette = {red, blue};
    const QByteArray indexed = fixtures::iconDib(twoColours, QByteArray(32, '\0'), mask);
    ASSERT_NO_THROW(decodeDib(indexed));
    const struct {
        const char* name;
        QByteArray dib;
    } cases[] = {
        {"Empty", {}},
        {"RleCompression", fixtures::iconDib(rle, QByteArray(32, '\0'), mask)},
        {"ZeroHeight", fixtures::iconDib(flat, {}, {})},
        {"PaletteCutOff", fixtures::truncated(indexed, 40 + 4)},
        {"ColourRowsCutOff", fixtures::truncated(indexed, 40 + 8 + 20)},
        {"IndexedWithoutMask", fixtures::truncated(indexed, indexed.size() - mask.size())},
        {"MaskCutOff", fixtures::truncated(indexed, indexed.size() - 1)},
        {"NoAlphaAndNoMask", argbDib(8, 4, [](int, int) { return qRgba(1, 2, 3, 0); }, {})},
    };
    for (const auto& damaged : cases) {
        try {
            decodeDib(damaged.dib);
            ADD_FAILURE() << damaged.name << " was accepted";
        } catch (const orvandel::Error& error) {
            EXPECT_TRUE(error.message().contains(QStringLiteral("ICO")))
                << damaged.name << ": " << error.what();
        }
    }
}

// --- ICO files ------------------------------------------------------------------------------

TEST(IcoDecoder, PicksTheLargestThenTheDeepestEntry) {
    QList<IcoEntry> entries = {uniformEntry(16, 32, red), uniformEntry(32, 4, green),
                               uniformEntry(32, 32, blue), uniformEntry(24, 8, grey)};
    expectUniform(decodeIcon(fixtures::icoFile(entries)), 32, blue);
    // Many files leave the directory's bit count at zero: the bitmap's own header tells it.
    for (IcoEntry& entry : entries)
        entry.bitCount = 0;
    expectUniform(decodeIcon(fixtures::icoFile(entries)), 32, blue);
}

TEST(IcoDecoder, ASideOfZeroMeans256) {
    const QByteArray file =
        fixtures::icoFile({uniformEntry(48, 32, red), uniformEntry(256, 1, green)});
    EXPECT_EQ(static_cast<unsigned char>(file[6 + 16]), 0);
    expectUniform(decodeIcon(file), 256, green);
}

TEST(IcoDecoder, ReadsCursors) {
    expectUniform(decodeIcon(fixtures::icoFile({uniformEntry(32, 32, blue)}, 2)), 32, blue);
}

TEST(IcoDecoder, FallsBackWhenTheBestEntryIsDamaged) {
    const QByteArray good =
        fixtures::icoFile({uniformEntry(16, 32, red), uniformEntry(32, 32, blue)});
    const qsizetype best = 6 + 16; // the second directory entry
    const auto withField = [&](qsizetype offset, std::uint32_t value) {
        QByteArray file = good;
        for (int byte = 0; byte < 4; ++byte)
            file[best + offset + byte] = static_cast<char>((value >> (8 * byte)) & 0xFF);
        return file;
    };
    const QByteArray damaged[] = {
        withField(12, 1000000),    // offset past the end
        withField(12, 0xFFFFFFF0), // offset that wraps
        withField(8, 0xFFFFFFFF),  // size past the end
        withField(8, 0),           // no data at all
        withField(8, 20),          // header cut off
        fixtures::flipped(good, 38 + uniformEntry(16, 32, red).data.size() + 14), // 223 bits
    };
    for (const QByteArray& file : damaged)
        expectUniform(decodeIcon(file), 16, red);
}

TEST(IcoDecoder, RefusesDamagedFiles) {
    const QByteArray good = fixtures::icoFile({uniformEntry(16, 32, red)});
    QByteArray noEntries = good.left(6);
    noEntries[4] = 0;
    QByteArray wrongType = good;
    wrongType[2] = 3;
    QByteArray reserved = good;
    reserved[0] = 1;
    QByteArray tooManyEntries = good;
    tooManyEntries[4] = static_cast<char>(200);
    const QByteArray cases[] = {
        {},
        fixtures::truncated(good, 5),
        noEntries,
        wrongType,
        reserved,
        fixtures::truncated(good, 6 + 15),
        tooManyEntries,
        fixtures::truncated(good, good.size() - 1),
        fixtures::icoFile({{16, 16, 32, QByteArray("not a bitmap at all")}}),
    };
    for (const QByteArray& file : cases) {
        try {
            decodeIcon(file);
            ADD_FAILURE() << "a damaged file of " << file.size() << " bytes was accepted";
        } catch (const orvandel::Error& error) {
            EXPECT_TRUE(error.message().contains(QStringLiteral("ICO"))) << error.what();
        }
    }
}

TEST(IcoDecoder, DecodesPngEntries) {
    QImage source(20, 20, QImage::Format_ARGB32);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            source.setPixel(x, y, qRgba(x * 12, y * 12, 60, 40 + x * 10));
    const QByteArray file = fixtures::icoFile({uniformEntry(16, 32, red),
                                               {20, 20, 32, fixtures::pngFile(source)},
                                               uniformEntry(8, 8, grey)});
    const QImage picture = decodeIcon(file);
    EXPECT_EQ(picture.convertToFormat(QImage::Format_ARGB32), source);
}

} // namespace
