#include "imaging/codecs/BmpDecoder.h"

#include "BmpFixtures.h"
#include "PictureFixtures.h"
#include "common/Error.h"

#include <gtest/gtest.h>

#include <bit>
#include <climits>
#include <functional>

using fixtures::BmpDescription;
using fixtures::RowOrder;
using fixtures::storedRows;
using orvandel::imaging::decodeBmp;

namespace {

using Rows = QList<QList<std::uint32_t>>;

QImage decode(const QByteArray& file) {
    return decodeBmp(fixtures::view(file));
}

void expectPixels(const QImage& picture, int width, int height,
                  const std::function<QRgb(int x, int y)>& expected) {
    ASSERT_EQ(picture.size(), QSize(width, height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            ASSERT_EQ(picture.pixel(x, y), expected(x, y)) << "at " << x << ", " << y;
}

QList<QRgb> distinctColours(int count) {
    QList<QRgb> colours;
    for (int index = 0; index < count; ++index)
        colours.append(qRgb((index * 37) & 0xFF, 255 - index, (index * 11 + 5) & 0xFF));
    return colours;
}

std::uint32_t toBgr(QRgb colour) {
    return colour & 0xFFFFFF;
}

// 8-bit, 5 × 3, four palette entries: small enough to damage byte by byte.
BmpDescription indexedDescription() {
    BmpDescription description;
    description.width = 5;
    description.height = 3;
    description.bitCount = 8;
    description.colorsUsed = 4;
    description.palette = distinctColours(4);
    return description;
}

QByteArray indexedFile() {
    return fixtures::bmpFile(
        indexedDescription(),
        fixtures::packedRows(storedRows(5, 3, [](int x, int y) { return (x + y) % 4; }), 8));
}

// --- Palette pictures -----------------------------------------------------------------------

struct IndexedCase {
    const char* name;
    std::uint32_t headerSize;
    std::uint16_t bitCount;
};

class BmpIndexedTest : public ::testing::TestWithParam<IndexedCase> {};

TEST_P(BmpIndexedTest, MapsEveryIndexThroughThePalette) {
    const IndexedCase& parameters = GetParam();
    const int colours = 1 << parameters.bitCount;
    BmpDescription description;
    description.headerSize = parameters.headerSize;
    description.width = 13;
    description.height = 3;
    description.bitCount = parameters.bitCount;
    description.palette = distinctColours(colours);
    const auto index = [colours](int x, int y) {
        return static_cast<std::uint32_t>((x * 3 + y * 5) % colours);
    };
    const QImage picture = decode(fixtures::bmpFile(
        description, fixtures::packedRows(storedRows(13, 3, index), parameters.bitCount)));
    EXPECT_EQ(picture.format(), QImage::Format_RGB32);
    expectPixels(picture, 13, 3,
                 [&](int x, int y) { return description.palette[static_cast<int>(index(x, y))]; });
}

INSTANTIATE_TEST_SUITE_P(Depths, BmpIndexedTest,
                         ::testing::Values(IndexedCase{"OneBit", 40, 1},
                                           IndexedCase{"FourBits", 40, 4},
                                           IndexedCase{"EightBits", 40, 8},
                                           IndexedCase{"CoreHeaderOneBit", 12, 1},
                                           IndexedCase{"CoreHeaderEightBits", 12, 8},
                                           IndexedCase{"Os2HeaderFourBits", 64, 4},
                                           IndexedCase{"V5HeaderEightBits", 124, 8}),
                         [](const auto& parameter) { return std::string(parameter.param.name); });

TEST(BmpDecoder, IndicesBeyondAShortPaletteGiveBlack) {
    BmpDescription description = indexedDescription();
    description.colorsUsed = 2;
    description.palette = distinctColours(2);
    const Rows rows = {{0, 1, 2, 255, 1}};
    description.height = 1;
    const QImage picture = decode(fixtures::bmpFile(description, fixtures::packedRows(rows, 8)));
    const QList<QRgb> expected = {description.palette[0], description.palette[1], qRgb(0, 0, 0),
                                  qRgb(0, 0, 0), description.palette[1]};
    expectPixels(picture, 5, 1, [&](int x, int) { return expected[x]; });
}

TEST(BmpDecoder, APaletteCutShortByThePixelOffsetKeepsItsStoredEntries) {
    // biClrUsed 0 announces 256 entries; the writer stored 3 and the pixels follow them.
    BmpDescription description = indexedDescription();
    description.height = 1;
    description.colorsUsed = 0;
    description.palette = distinctColours(3);
    const QImage picture =
        decode(fixtures::bmpFile(description, fixtures::packedRows({{2, 1, 0, 3, 2}}, 8)));
    const QRgb black = qRgb(0, 0, 0);
    const QList<QRgb> expected = {description.palette[2], description.palette[1],
                                  description.palette[0], black, description.palette[2]};
    expectPixels(picture, 5, 1, [&](int x, int) { return expected[x]; });
}

// --- Direct colour --------------------------------------------------------------------------

struct DirectCase {
    const char* name;
    BmpDescription description;
    std::uint32_t (*store)(QRgb colour);
    QRgb (*expected)(QRgb colour);
};

std::uint32_t scaleTo(int value, int bits) {
    return static_cast<std::uint32_t>(value >> (8 - bits));
}

QRgb scaledBack(QRgb colour, int redBits, int greenBits, int blueBits) {
    const auto back = [](int value, int bits) {
        const int top = (1 << bits) - 1;
        return (static_cast<int>(scaleTo(value, bits)) * 255 + top / 2) / top;
    };
    return qRgb(back(qRed(colour), redBits), back(qGreen(colour), greenBits),
                back(qBlue(colour), blueBits));
}

BmpDescription directDescription(std::uint32_t headerSize, std::uint16_t bitCount,
                                 std::uint32_t compression, std::array<std::uint32_t, 4> masks) {
    BmpDescription description;
    description.headerSize = headerSize;
    description.width = 7;
    description.height = 5;
    description.bitCount = bitCount;
    description.compression = compression;
    description.masks = masks;
    return description;
}

const DirectCase directCases[] = {
    {"Rgb555", directDescription(40, 16, 0, {}),
     [](QRgb c) {
         return scaleTo(qRed(c), 5) << 10 | scaleTo(qGreen(c), 5) << 5 | scaleTo(qBlue(c), 5);
     },
     [](QRgb c) { return scaledBack(c, 5, 5, 5); }},
    {"Bitfields565", directDescription(40, 16, 3, {0xF800, 0x07E0, 0x001F, 0}),
     [](QRgb c) {
         return scaleTo(qRed(c), 5) << 11 | scaleTo(qGreen(c), 6) << 5 | scaleTo(qBlue(c), 5);
     },
     [](QRgb c) { return scaledBack(c, 5, 6, 5); }},
    {"Bitfields565InV3Header", directDescription(56, 16, 3, {0xF800, 0x07E0, 0x001F, 0}),
     [](QRgb c) {
         return scaleTo(qRed(c), 5) << 11 | scaleTo(qGreen(c), 6) << 5 | scaleTo(qBlue(c), 5);
     },
     [](QRgb c) { return scaledBack(c, 5, 6, 5); }},
    {"Bgr24", directDescription(40, 24, 0, {}), [](QRgb c) { return toBgr(c); },
     [](QRgb c) { return c; }},
    {"Bgrx32IgnoresTheFourthByte", directDescription(40, 32, 0, {}),
     [](QRgb c) { return 0x5A000000 | toBgr(c); }, [](QRgb c) { return c; }},
    {"Bitfields32Swapped", directDescription(40, 32, 3, {0x000000FF, 0x0000FF00, 0x00FF0000, 0}),
     [](QRgb c) { return static_cast<std::uint32_t>(qBlue(c) << 16 | qGreen(c) << 8 | qRed(c)); },
     [](QRgb c) { return c; }},
    {"Bitfields32TenBitsInV4Header",
     directDescription(108, 32, 3, {0x3FF00000, 0x000FFC00, 0x000003FF, 0}),
     [](QRgb c) {
         return static_cast<std::uint32_t>(qRed(c) << 22 | qGreen(c) << 12 | qBlue(c) << 2);
     },
     [](QRgb c) { return c; }},
};

class BmpDirectTest : public ::testing::TestWithParam<DirectCase> {};

TEST_P(BmpDirectTest, DecodesEveryPixel) {
    const DirectCase& parameters = GetParam();
    const QImage source = fixtures::patternPicture(7, 5);
    const auto value = [&](int x, int y) { return parameters.store(source.pixel(x, y)); };
    const QImage picture = decode(fixtures::bmpFile(
        parameters.description,
        fixtures::packedRows(storedRows(7, 5, value), parameters.description.bitCount)));
    EXPECT_EQ(picture.format(), QImage::Format_RGB32);
    expectPixels(picture, 7, 5,
                 [&](int x, int y) { return parameters.expected(source.pixel(x, y)); });
}

INSTANTIATE_TEST_SUITE_P(Formats, BmpDirectTest, ::testing::ValuesIn(directCases),
                         [](const auto& parameter) { return std::string(parameter.param.name); });

TEST(BmpDecoder, TopDownAndBottomUpRowsGiveTheSamePicture) {
    const QImage source = fixtures::patternPicture(6, 4);
    const auto value = [&](int x, int y) { return toBgr(source.pixel(x, y)); };
    BmpDescription description = directDescription(40, 24, 0, {});
    description.width = 6;
    for (const RowOrder order : {RowOrder::BottomUp, RowOrder::TopDown}) {
        description.height = order == RowOrder::TopDown ? -4 : 4;
        const QImage picture = decode(fixtures::bmpFile(
            description, fixtures::packedRows(storedRows(6, 4, value, order), 24)));
        expectPixels(picture, 6, 4, [&](int x, int y) { return source.pixel(x, y); });
    }
}

TEST(BmpDecoder, HonoursThePixelOffset) {
    const QByteArray pixels =
        fixtures::packedRows(storedRows(5, 3, [](int x, int y) { return (x + y) % 4; }), 8);
    const QImage expected = decode(indexedFile());
    // A gap between the palette and the pixels, and a zero offset meaning "after the palette".
    for (const std::uint32_t offset : {200U, 0U}) {
        const QImage picture = decode(fixtures::bmpFile(indexedDescription(), pixels, offset));
        EXPECT_EQ(picture, expected) << "offset " << offset;
    }
}

// --- Alpha ----------------------------------------------------------------------------------

struct AlphaCase {
    const char* name;
    BmpDescription description;
    bool keepsAlpha;
};

const AlphaCase alphaCases[] = {
    {"V5BitfieldsWithAlphaMask",
     directDescription(124, 32, 3, {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000}), true},
    {"V4RgbWithAlphaMask",
     directDescription(108, 32, 0, {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000}), true},
    {"AlphaBitfieldsAfterInfoHeader",
     directDescription(40, 32, 6, {0x0000FF00, 0x00FF0000, 0xFF000000, 0x000000FF}), true},
    {"InfoHeaderWithoutAlphaMask", directDescription(40, 32, 0, {}), false},
};

// Places each 8-bit channel under its mask; a zero mask means the BGRA layout of BI_RGB.
std::uint32_t storeWithMasks(QRgb colour, const std::array<std::uint32_t, 4>& masks) {
    constexpr std::array<std::uint32_t, 4> standard = {0x00FF0000, 0x0000FF00, 0x000000FF,
                                                       0xFF000000};
    const std::array<int, 4> levels = {qRed(colour), qGreen(colour), qBlue(colour), qAlpha(colour)};
    std::uint32_t value = 0;
    for (std::size_t channel = 0; channel < 4; ++channel) {
        const std::uint32_t mask = masks[channel] != 0 ? masks[channel] : standard[channel];
        value |= static_cast<std::uint32_t>(levels[channel]) << std::countr_zero(mask);
    }
    return value;
}

class BmpAlphaTest : public ::testing::TestWithParam<AlphaCase> {};

TEST_P(BmpAlphaTest, KeepsAlphaOnlyWhenAMaskAnnouncesIt) {
    const AlphaCase& parameters = GetParam();
    const auto colour = [](int x, int y) { return qRgba(x * 40, y * 60, 90, 30 + x * 30); };
    const auto value = [&](int x, int y) {
        return storeWithMasks(colour(x, y), parameters.description.masks);
    };
    const QImage picture = decode(fixtures::bmpFile(
        parameters.description, fixtures::packedRows(storedRows(7, 5, value), 32)));
    EXPECT_EQ(picture.format(),
              parameters.keepsAlpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    expectPixels(picture, 7, 5, [&](int x, int y) {
        return parameters.keepsAlpha ? colour(x, y) : colour(x, y) | 0xFF000000;
    });
}

INSTANTIATE_TEST_SUITE_P(Headers, BmpAlphaTest, ::testing::ValuesIn(alphaCases),
                         [](const auto& parameter) { return std::string(parameter.param.name); });

TEST(BmpDecoder, AnAlphaChannelThatIsAllZeroMeansOpaque) {
    const BmpDescription description =
        directDescription(124, 32, 3, {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000});
    const auto value = [](int x, int y) { return static_cast<std::uint32_t>(x * 30 + y * 2000); };
    const QImage picture =
        decode(fixtures::bmpFile(description, fixtures::packedRows(storedRows(7, 5, value), 32)));
    EXPECT_EQ(picture.format(), QImage::Format_RGB32);
    expectPixels(picture, 7, 5, [&](int x, int y) { return 0xFF000000 | value(x, y); });
}

// --- RLE ------------------------------------------------------------------------------------

BmpDescription rleDescription(std::uint16_t bitCount, std::int32_t width, std::int32_t height) {
    BmpDescription description;
    description.width = width;
    description.height = height;
    description.bitCount = bitCount;
    description.compression = bitCount == 8 ? 1 : 2;
    description.palette = distinctColours(bitCount == 8 ? 8 : 16);
    return description;
}

// The expected picture from rows of indices written top row first; -1 is a pixel left unwritten.
void expectIndexedPixels(const QImage& picture, const BmpDescription& description,
                         const QList<QList<int>>& rows) {
    expectPixels(picture, description.width, description.height, [&](int x, int y) {
        const int index = rows[y][x];
        return description.palette[index < 0 ? 0 : index];
    });
}

TEST(BmpDecoder, Rle8RunsAbsoluteRunsDeltaAndEndOfLine) {
    const BmpDescription description = rleDescription(8, 7, 4);
    const QByteArray stream = fixtures::bytes({
        3, 1, 0, 3, 2, 3, 4, 0, 0, 0, // bottom row: a run of 3, then 3 absolute pixels padded
        2, 5, 0, 2, 3, 1, 2, 6, 0, 0, // second row: 2 pixels, skip 3 to the right and 1 row up
        0, 5, 7, 6, 5, 4, 3, 0,       // the top row: 5 absolute pixels, then end of bitmap
        0, 1,
    });
    const QImage picture = decode(fixtures::bmpFile(description, stream));
    EXPECT_EQ(picture.format(), QImage::Format_RGB32);
    expectIndexedPixels(picture, description,
                        {
                            {7, 6, 5, 4, 3, -1, -1},
                            {-1, -1, -1, -1, -1, 6, 6},
                            {5, 5, -1, -1, -1, -1, -1},
                            {1, 1, 1, 2, 3, 4, -1},
                        });
}

TEST(BmpDecoder, Rle4AlternatesTheTwoColoursOfARun) {
    const BmpDescription description = rleDescription(4, 9, 3);
    const QByteArray stream = fixtures::bytes({
        5, 0x12, 0,    3,    0x34, 0x50, 0, 0, // bottom row: 1 2 1 2 1, then 3 absolute nibbles
        0, 2,    2,    0,                      // delta: 2 to the right on the same row
        0, 5,    0xAB, 0xCD, 0xE0, 0,    0, 0, // 5 absolute nibbles padded to 4 bytes, end of line
        9, 0xFF, 0,    1,                      // the top row in one run, then end of bitmap
    });
    const QImage picture = decode(fixtures::bmpFile(description, stream));
    expectIndexedPixels(picture, description,
                        {
                            {15, 15, 15, 15, 15, 15, 15, 15, 15},
                            {-1, -1, 10, 11, 12, 13, 14, -1, -1},
                            {1, 2, 1, 2, 1, 3, 4, 5, -1},
                        });
}

TEST(BmpDecoder, RleWithoutEndOfBitmapAfterTheLastRowIsAccepted) {
    const BmpDescription description = rleDescription(8, 2, 2);
    const QImage picture =
        decode(fixtures::bmpFile(description, fixtures::bytes({2, 3, 0, 0, 2, 4, 0, 0})));
    expectIndexedPixels(picture, description, {{4, 4}, {3, 3}});
}

// --- Damaged files --------------------------------------------------------------------------

TEST(BmpDecoder, EveryTruncationOfAGoodFileIsRefused) {
    const QByteArray files[] = {
        indexedFile(),
        fixtures::bmpFile(directDescription(40, 16, 3, {0xF800, 0x07E0, 0x001F, 0}),
                          fixtures::packedRows(storedRows(7, 5, [](int x, int) { return x; }), 16)),
    };
    for (const QByteArray& file : files) {
        ASSERT_NO_THROW(decode(file));
        // The last row's padding may be missing; everything before it may not.
        for (qsizetype length = 0; length < file.size() - 3; ++length)
            EXPECT_THROW(decode(fixtures::truncated(file, length)), orvandel::Error)
                << "length " << length;
    }
}

struct DamagedCase {
    const char* name;
    QByteArray file;
    const char* message;
};

QByteArray withDescription(const std::function<void(BmpDescription&)>& change) {
    BmpDescription description = indexedDescription();
    change(description);
    return fixtures::bmpFile(description,
                             fixtures::packedRows(storedRows(5, 3, [](int, int) { return 1; }), 8));
}

QByteArray rleFile(std::int32_t height, const QByteArray& stream) {
    return fixtures::bmpFile(rleDescription(8, 4, height), stream);
}

QByteArray withUint32(QByteArray file, qsizetype offset, std::uint32_t value) {
    for (int byte = 0; byte < 4; ++byte)
        file[offset + byte] = static_cast<char>((value >> (8 * byte)) & 0xFF);
    return file;
}

std::vector<DamagedCase> damagedCases() {
    return {
        {"Empty", {}, "signature"},
        {"NotABitmap", QByteArray("GIF89a and more bytes to be long enough"), "signature"},
        {"FileHeaderOnly", fixtures::truncated(indexedFile(), 14), "en-tête tronqué"},
        {"HalfAnInfoHeader", fixtures::truncated(indexedFile(), 30), "en-tête tronqué"},
        {"UnknownHeaderSize", withUint32(indexedFile(), 14, 8), "taille d'en-tête"},
        {"HeaderLargerThanTheFile", withUint32(indexedFile(), 14, 4000), "en-tête tronqué"},
        {"ZeroWidth", withDescription([](auto& d) { d.width = 0; }), "dimensions"},
        {"ZeroHeight", withDescription([](auto& d) { d.height = 0; }), "dimensions"},
        {"NegativeWidth", withDescription([](auto& d) { d.width = -5; }), "dimensions"},
        {"HugeDimensions", withDescription([](auto& d) { d.width = d.height = 100000; }),
         "trop grande"},
        {"SmallestHeight", withDescription([](auto& d) { d.height = INT_MIN; }), "trop grande"},
        {"LargestWidth", withDescription([](auto& d) { d.width = INT_MAX; }), "trop grande"},
        {"PixelOffsetBeyondTheFile", withUint32(indexedFile(), 10, 100000), "après la fin"},
        {"PixelOffsetLeavingTooFewBytes",
         withUint32(indexedFile(), 10, static_cast<std::uint32_t>(indexedFile().size() - 20)),
         "pixels tronqués"},
        {"SevenBits", withDescription([](auto& d) { d.bitCount = 7; }), "7 bits"},
        {"TwoBits", withDescription([](auto& d) { d.bitCount = 2; }), "2 bits"},
        {"JpegCompression", withDescription([](auto& d) { d.compression = 4; }), "(4)"},
        {"PngCompression", withDescription([](auto& d) { d.compression = 5; }), "(5)"},
        {"UnknownCompression", withDescription([](auto& d) { d.compression = 9; }), "(9)"},
        {"Os2HuffmanCompression", withDescription([](auto& d) {
             d.headerSize = 64;
             d.compression = 3;
         }),
         "(3)"},
        {"BitfieldsOnPaletteBits", withDescription([](auto& d) { d.compression = 3; }),
         "incompatible"},
        {"Rle4OnEightBits", withDescription([](auto& d) { d.compression = 2; }), "incompatible"},
        {"MaskWithAHole",
         fixtures::bmpFile(directDescription(40, 16, 3, {0x0F0F, 0x00F0, 0x000F, 0}),
                           QByteArray(80, '\0')),
         "masque"},
        {"MaskWiderThanThePixel",
         fixtures::bmpFile(directDescription(40, 16, 3, {0xFF0000, 0x00F0, 0x000F, 0}),
                           QByteArray(80, '\0')),
         "masque"},
        {"MasksCutOff",
         fixtures::truncated(
             fixtures::bmpFile(directDescription(40, 16, 3, {0xF800, 0x07E0, 0x001F, 0}), {}), 60),
         "en-tête tronqué"},
        {"RleStoredTopDown", rleFile(-2, fixtures::bytes({0, 1})), "haut en bas"},
        {"RleRunPastTheRowEnd", rleFile(2, fixtures::bytes({5, 1, 0, 1})), "hors de l'image"},
        {"RleAbsoluteRunPastTheRowEnd", rleFile(2, fixtures::bytes({2, 1, 0, 3, 1, 2, 3, 0, 0, 1})),
         "hors de l'image"},
        {"RleDeltaBelowThePicture", rleFile(2, fixtures::bytes({0, 2, 0, 3, 1, 1, 0, 1})),
         "hors de l'image"},
        {"RleDeltaPastTheRowEnd", rleFile(2, fixtures::bytes({0, 2, 5, 0, 0, 1})),
         "hors de l'image"},
        {"RleEndingBeforeTheLastRow", rleFile(3, fixtures::bytes({4, 1, 0, 0})), "RLE tronquées"},
        {"RleAbsoluteRunCutOff", rleFile(2, fixtures::bytes({0, 4, 1, 2})), "RLE tronquées"},
        {"RleDeltaCutOff", rleFile(2, fixtures::bytes({0, 2, 1})), "RLE tronquées"},
        {"RleEmpty", rleFile(2, {}), "RLE tronquées"},
    };
}

TEST(BmpDecoder, RefusesDamagedFilesWithAClearMessage) {
    for (const DamagedCase& damaged : damagedCases()) {
        try {
            decode(damaged.file);
            ADD_FAILURE() << damaged.name << " was accepted";
        } catch (const orvandel::Error& error) {
            EXPECT_TRUE(error.message().contains(QString::fromUtf8(damaged.message)))
                << damaged.name << ": " << error.what();
            EXPECT_TRUE(error.message().contains(QStringLiteral("BMP")))
                << damaged.name << ": " << error.what();
        }
    }
}

} // namespace
