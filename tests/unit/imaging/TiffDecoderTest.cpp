#include "imaging/codecs/TiffDecoder.h"

#include "CodecFixtures.h"
#include "PictureFixtures.h"
#include "common/Error.h"

#include <gtest/gtest.h>

#include <cstdint>

using namespace orvandel::imaging;
using fixtures::TiffAlpha;
using fixtures::TiffCompression;
using fixtures::TiffFormat;
using fixtures::TiffPhotometric;

namespace {

QImage colourPicture(int width = 23, int height = 19) {
    return fixtures::patternPicture(width, height).convertToFormat(QImage::Format_ARGB32);
}

QImage greyPicture() {
    return colourPicture()
        .convertToFormat(QImage::Format_Grayscale8)
        .convertToFormat(QImage::Format_ARGB32);
}

QImage palettePicture() {
    QImage picture(23, 19, QImage::Format_ARGB32);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const int index = (x + 5 * y) % 40;
            picture.setPixel(x, y, qRgb(index * 6, 255 - index * 3, index * 41 % 256));
        }
    }
    return picture;
}

// The largest difference between two pictures' channels once both are premultiplied: what shows
// on screen, and what survives libtiff's premultiplied output.
int premultipliedDifference(const QImage& first, const QImage& second) {
    int largest = 0;
    for (int y = 0; y < first.height(); ++y) {
        for (int x = 0; x < first.width(); ++x) {
            const QRgb a = qPremultiply(first.pixel(x, y));
            const QRgb b = qPremultiply(second.pixel(x, y));
            largest = qMax(largest, qMax(qAbs(qRed(a) - qRed(b)), qAbs(qGreen(a) - qGreen(b))));
            largest = qMax(largest, qMax(qAbs(qBlue(a) - qBlue(b)), qAbs(qAlpha(a) - qAlpha(b))));
        }
    }
    return largest;
}

QString errorOf(const QByteArray& bytes) {
    try {
        decodeTiff(fixtures::view(bytes));
    } catch (const orvandel::Error& error) {
        return error.message();
    }
    return QStringLiteral("(decoded)");
}

std::uint32_t littleEndian(const QByteArray& bytes, qsizetype offset, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[offset + i]);
    return value;
}

// `tiff` (little-endian, as our fixtures write it) with the first directory's `tag` set to one
// LONG `value`.
QByteArray withTag(QByteArray tiff, std::uint16_t tag, std::uint32_t value) {
    const qsizetype directory = littleEndian(tiff, 4, 4);
    const auto count = static_cast<int>(littleEndian(tiff, directory, 2));
    for (int i = 0; i < count; ++i) {
        const qsizetype entry = directory + 2 + 12 * i;
        if (littleEndian(tiff, entry, 2) != tag)
            continue;
        const char fields[10] = {4,
                                 0,
                                 1,
                                 0,
                                 0,
                                 0,
                                 static_cast<char>(value),
                                 static_cast<char>(value >> 8),
                                 static_cast<char>(value >> 16),
                                 static_cast<char>(value >> 24)};
        tiff.replace(entry + 2, 10, fields, 10);
        return tiff;
    }
    ADD_FAILURE() << "no tag " << tag;
    return tiff;
}

} // namespace

TEST(TiffDecoder, DecodesOpaqueLayoutsExactly) {
    struct Case {
        const char* name;
        QImage picture;
        TiffFormat format;
    };
    const Case cases[] = {
        {"rgb8", colourPicture(), {}},
        {"rgb8Lzw",
         colourPicture(),
         {TiffPhotometric::Rgb, 8, TiffAlpha::None, TiffCompression::Lzw}},
        {"rgb8Deflate",
         colourPicture(),
         {TiffPhotometric::Rgb, 8, TiffAlpha::None, TiffCompression::Deflate}},
        {"rgb8PackBits",
         colourPicture(),
         {TiffPhotometric::Rgb, 8, TiffAlpha::None, TiffCompression::PackBits}},
        {"rgb16", colourPicture(), {TiffPhotometric::Rgb, 16}},
        {"grey8", greyPicture(), {TiffPhotometric::Grey, 8}},
        {"grey16", greyPicture(), {TiffPhotometric::Grey, 16}},
        {"palette8", palettePicture(), {TiffPhotometric::Palette, 8}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        const QImage decoded =
            decodeTiff(fixtures::view(fixtures::encodeTiff(test.picture, test.format)));
        EXPECT_EQ(decoded.format(), QImage::Format_RGB32);
        EXPECT_EQ(decoded.convertToFormat(QImage::Format_ARGB32), test.picture);
    }
}

TEST(TiffDecoder, DecodesAlphaAsStraightArgb) {
    struct Case {
        const char* name;
        QImage picture;
        TiffFormat format;
    };
    const Case cases[] = {
        {"rgbUnassociated",
         fixtures::withVaryingAlpha(colourPicture()),
         {TiffPhotometric::Rgb, 8, TiffAlpha::Unassociated}},
        {"rgbAssociated",
         fixtures::withVaryingAlpha(colourPicture()),
         {TiffPhotometric::Rgb, 8, TiffAlpha::Associated}},
        {"rgb16Unassociated",
         fixtures::withVaryingAlpha(colourPicture()),
         {TiffPhotometric::Rgb, 16, TiffAlpha::Unassociated}},
        {"greyUnassociated",
         fixtures::withVaryingAlpha(greyPicture()),
         {TiffPhotometric::Grey, 8, TiffAlpha::Unassociated}},
        {"greyAssociated",
         fixtures::withVaryingAlpha(greyPicture()),
         {TiffPhotometric::Grey, 8, TiffAlpha::Associated}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        const QImage decoded =
            decodeTiff(fixtures::view(fixtures::encodeTiff(test.picture, test.format)));
        EXPECT_EQ(decoded.format(), QImage::Format_ARGB32);
        ASSERT_EQ(decoded.size(), test.picture.size());
        EXPECT_LE(premultipliedDifference(decoded, test.picture), 1);
        EXPECT_EQ(qAlpha(decoded.pixel(3, 4)), qAlpha(test.picture.pixel(3, 4)));
    }
}

TEST(TiffDecoder, RefusesDamagedFiles) {
    // 6 rows make a single strip, whose offset sits in the directory entry itself.
    const QByteArray tiff = fixtures::encodeTiff(colourPicture(10, 6));
    const qsizetype directory = littleEndian(tiff, 4, 4);
    struct Case {
        const char* name;
        QByteArray bytes;
        QString start;
    };
    const QString invalid = QStringLiteral("Image TIFF invalide : ");
    const Case cases[] = {
        {"empty", {}, invalid},
        {"cut in the header", fixtures::truncated(tiff, 5), invalid},
        {"cut in the pixels", fixtures::truncated(tiff, 60), invalid},
        {"cut in the directory", fixtures::truncated(tiff, directory + 30), invalid},
        {"not a TIFF", fixtures::flipped(tiff, 0), invalid},
        {"wrong version", fixtures::flipped(tiff, 2), invalid},
        {"strip past the end", withTag(tiff, 273, 0x7FFFFFF0), invalid},
        {"unknown compression", withTag(tiff, 259, 12345), invalid},
        {"no width", withTag(tiff, 256, 0), QStringLiteral("Image TIFF")},
        {"more pixels than allowed", withTag(withTag(tiff, 256, 100000), 257, 100000),
         QStringLiteral("Image TIFF trop grande : 100000 × 100000 pixels.")},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        const QString message = errorOf(test.bytes);
        EXPECT_TRUE(message.startsWith(test.start)) << message.toStdString();
    }
}
