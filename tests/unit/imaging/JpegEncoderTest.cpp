#include "imaging/codecs/JpegEncoder.h"

#include "CodecFixtures.h"
#include "PictureFixtures.h"
#include "TestFolder.h"
#include "common/Error.h"
#include "imaging/codecs/JpegDecoder.h"

#include <QDir>

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <vector>
// jpeglib.h uses FILE and size_t without declaring them.
#include <jpeglib.h>

using namespace orvandel::imaging;

namespace {

struct Segment {
    unsigned char marker;
    QByteArray data;
};

// The marker segments before the first scan.
std::vector<Segment> headerSegments(const QByteArray& jpeg) {
    std::vector<Segment> segments;
    qsizetype offset = 2;
    while (offset + 4 <= jpeg.size() && static_cast<unsigned char>(jpeg[offset]) == 0xFF) {
        const auto marker = static_cast<unsigned char>(jpeg[offset + 1]);
        const int length = (static_cast<unsigned char>(jpeg[offset + 2]) << 8) |
                           static_cast<unsigned char>(jpeg[offset + 3]);
        segments.push_back({marker, jpeg.mid(offset + 4, length - 2)});
        if (marker == 0xDA)
            break;
        offset += 2 + length;
    }
    return segments;
}

// The natural (row by row) index of each coefficient in the order a DQT segment lists them.
std::array<int, 64> zigzagOrder() {
    std::array<int, 64> order{};
    int next = 0;
    for (int diagonal = 0; diagonal < 15; ++diagonal) {
        for (int step = 0; step <= diagonal; ++step) {
            const int row = diagonal % 2 == 0 ? diagonal - step : step;
            const int column = diagonal - row;
            if (row < 8 && column < 8)
                order[static_cast<std::size_t>(next++)] = row * 8 + column;
        }
    }
    return order;
}

// The 8-bit quantisation table `id` of the file, in natural order.
std::array<int, 64> quantisationTable(const QByteArray& jpeg, int id) {
    const std::array<int, 64> order = zigzagOrder();
    for (const Segment& segment : headerSegments(jpeg)) {
        if (segment.marker != 0xDB)
            continue;
        for (qsizetype offset = 0; offset + 65 <= segment.data.size(); offset += 65) {
            if (segment.data[offset] != id) // precision 0 (8 bits) and table id
                continue;
            std::array<int, 64> table{};
            for (std::size_t k = 0; k < 64; ++k)
                table[static_cast<std::size_t>(order[k])] = static_cast<unsigned char>(
                    segment.data[offset + 1 + static_cast<qsizetype>(k)]);
            return table;
        }
    }
    ADD_FAILURE() << "no 8-bit quantisation table " << id;
    return {};
}

// The luminance table libjpeg itself derives for `quality`.
std::array<int, 64> libraryLuminanceTable(int quality) {
    jpeg_error_mgr errors{};
    jpeg_compress_struct info{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    info.in_color_space = JCS_RGB;
    info.input_components = 3;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    std::array<int, 64> table{};
    for (std::size_t i = 0; i < 64; ++i)
        table[i] = info.quant_tbl_ptrs[0]->quantval[i];
    jpeg_destroy_compress(&info);
    return table;
}

// The DC entry of the standard luminance table is 16, scaled by the quality as libjpeg does.
int expectedDcQuantiser(int quality) {
    const int percent = quality < 50 ? 5000 / quality : 200 - 2 * quality;
    return qBound(1, (16 * percent + 50) / 100, 255);
}

QStringList entriesOf(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
}

} // namespace

class JpegEncoderQuality : public testing::TestWithParam<int> {};

TEST_P(JpegEncoderQuality, WritesBaselineWithTheQualitysTables) {
    const int quality = GetParam();
    const QByteArray jpeg = encodeJpeg(fixtures::smoothPicture(), quality);
    bool baseline = false;
    for (const Segment& segment : headerSegments(jpeg)) {
        EXPECT_FALSE(segment.marker >= 0xC1 && segment.marker <= 0xCF && segment.marker != 0xC4 &&
                     segment.marker != 0xC8 && segment.marker != 0xCC)
            << "frame type " << int(segment.marker);
        baseline = baseline || segment.marker == 0xC0;
    }
    EXPECT_TRUE(baseline);
    const std::array<int, 64> table = quantisationTable(jpeg, 0);
    EXPECT_EQ(table[0], expectedDcQuantiser(quality));
    EXPECT_EQ(table, libraryLuminanceTable(quality));
}

INSTANTIATE_TEST_SUITE_P(Qualities, JpegEncoderQuality, testing::Values(90, 50, 100));

TEST(JpegEncoder, UsesQuality90ByDefault) {
    const QByteArray jpeg = encodeJpeg(fixtures::smoothPicture());
    EXPECT_EQ(quantisationTable(jpeg, 0)[0], 3);
    EXPECT_EQ(jpeg, encodeJpeg(fixtures::smoothPicture(), 90));
}

TEST(JpegEncoder, EncodesEveryPictureFormatAsItsOpaqueColours) {
    const QImage original = fixtures::smoothPicture(45, 31);
    const QImage::Format formats[] = {QImage::Format_ARGB32, QImage::Format_ARGB32_Premultiplied,
                                      QImage::Format_RGB888, QImage::Format_Grayscale8,
                                      QImage::Format_RGB16};
    for (const QImage::Format format : formats) {
        SCOPED_TRACE(int(format));
        const QImage source = original.convertToFormat(format);
        const QImage decoded = decodeJpeg(fixtures::view(encodeJpeg(source)));
        ASSERT_EQ(decoded.size(), original.size());
        EXPECT_LT(fixtures::meanChannelDifference(decoded, source), 3.0);
    }
}

TEST(JpegEncoder, GrowsItsOutputForLargeFiles) {
    // Noise compresses badly: the file outgrows the encoder's first buffer several times.
    QImage noise(512, 512, QImage::Format_RGB32);
    std::uint32_t state = 12345;
    for (int y = 0; y < noise.height(); ++y) {
        auto* pixels = reinterpret_cast<QRgb*>(noise.scanLine(y));
        for (int x = 0; x < noise.width(); ++x) {
            state = state * 1664525U + 1013904223U;
            pixels[x] = 0xFF000000U | (state >> 8);
        }
    }
    const QByteArray jpeg = encodeJpeg(noise);
    ASSERT_GT(jpeg.size(), 128 * 1024);
    EXPECT_TRUE(jpeg.endsWith("\xFF\xD9"));
    const QImage decoded = decodeJpeg(fixtures::view(jpeg));
    ASSERT_EQ(decoded.size(), noise.size());
    // Luminance keeps its full resolution: about 13 of error on noise, where a lost or doubled
    // block of output would leave unrelated noise, about 85 away.
    EXPECT_LT(fixtures::meanChannelDifference(decoded.convertToFormat(QImage::Format_Grayscale8),
                                              noise.convertToFormat(QImage::Format_Grayscale8)),
              20.0);
}

TEST(JpegEncoder, ASinkThatFailsEndsTheEncodingWithItsOwnError) {
    QImage noise(512, 512, QImage::Format_RGB32);
    noise.fill(Qt::darkCyan);
    int pieces = 0;
    try {
        encodeJpeg(noise, [&](std::span<const std::byte>) {
            if (++pieces == 1)
                throw orvandel::Error(QStringLiteral("disque plein"));
        });
        FAIL() << "the sink's failure was lost";
    } catch (const orvandel::Error& error) {
        EXPECT_EQ(error.message(), QStringLiteral("disque plein"));
    }
    EXPECT_EQ(pieces, 1);
}

TEST(JpegEncoder, RefusesANullPicture) {
    EXPECT_THROW(encodeJpeg(QImage()), orvandel::Error);
}

TEST(JpegEncoder, ReportsTheLibrarysRefusal) {
    QImage wide(70000, 1, QImage::Format_RGB32);
    wide.fill(Qt::gray);
    try {
        encodeJpeg(wide);
        FAIL() << "JPEG cannot hold 70000 columns";
    } catch (const orvandel::Error& error) {
        EXPECT_TRUE(error.message().startsWith(QStringLiteral("Erreur JPEG #")))
            << error.message().toStdString();
    }
}

TEST(JpegEncoder, WriteReplacesTheWholeFile) {
    TestFolder folder;
    const QString path = folder.write("wallpaper.jpg", QByteArray(200 * 1024, 'x'));
    const QImage picture = fixtures::smoothPicture();
    writeJpeg(picture, path);
    EXPECT_EQ(folder.read("wallpaper.jpg"), encodeJpeg(picture));
    EXPECT_EQ(entriesOf(folder.path()), QStringList{"wallpaper.jpg"});
}

TEST(JpegEncoder, WriteIntoAMissingFolderThrowsAndLeavesNothing) {
    TestFolder folder;
    EXPECT_THROW(writeJpeg(fixtures::smoothPicture(), folder.filePath("missing/wallpaper.jpg")),
                 orvandel::Error);
    EXPECT_TRUE(QDir(folder.path())
                    .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)
                    .isEmpty());
}
