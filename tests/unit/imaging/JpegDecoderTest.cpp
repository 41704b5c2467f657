#include "imaging/codecs/JpegDecoder.h"

#include "CodecFixtures.h"
#include "PictureFixtures.h"
#include "common/Error.h"
#include "imaging/codecs/JpegEncoder.h"

#include <gtest/gtest.h>

#include <cstdio>
// jpeglib.h uses FILE and size_t without declaring them.
#include <jerror.h>
#include <jpeglib.h>

using namespace orvandel::imaging;
using fixtures::JpegColourModel;
using fixtures::JpegScans;

namespace {

QString errorOf(const QByteArray& bytes) {
    try {
        decodeJpeg(fixtures::view(bytes));
    } catch (const orvandel::Error& error) {
        return error.message();
    }
    return QStringLiteral("(decoded)");
}

QString jpegError(int code) {
    return QStringLiteral("Erreur JPEG #%1").arg(code);
}

// `jpeg` with the frame header's height and width replaced.
QByteArray withFrameSize(QByteArray jpeg, int width, int height) {
    const qsizetype frame = jpeg.indexOf("\xFF\xC0");
    jpeg[frame + 5] = static_cast<char>(height >> 8);
    jpeg[frame + 6] = static_cast<char>(height);
    jpeg[frame + 7] = static_cast<char>(width >> 8);
    jpeg[frame + 8] = static_cast<char>(width);
    return jpeg;
}

bool isOpaqueGrey(const QImage& picture) {
    for (int y = 0; y < picture.height(); ++y) {
        const auto* pixels = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb pixel = pixels[x];
            if (qAlpha(pixel) != 255 || qRed(pixel) != qGreen(pixel) || qRed(pixel) != qBlue(pixel))
                return false;
        }
    }
    return true;
}

// The luminance the grey fixture stores.
QImage greyOf(QImage picture) {
    for (int y = 0; y < picture.height(); ++y) {
        auto* pixels = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < picture.width(); ++x)
            pixels[x] = qRgb(qGray(pixels[x]), qGray(pixels[x]), qGray(pixels[x]));
    }
    return picture;
}

bool isOpaque(const QImage& picture) {
    for (int y = 0; y < picture.height(); ++y) {
        const auto* pixels = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        for (int x = 0; x < picture.width(); ++x) {
            if (qAlpha(pixels[x]) != 255)
                return false;
        }
    }
    return true;
}

} // namespace

TEST(JpegDecoder, DecodesColourCloseToTheOriginalWithOpaquePixels) {
    const QImage original = fixtures::smoothPicture(67, 45);
    const QImage decoded = decodeJpeg(fixtures::view(encodeJpeg(original)));
    ASSERT_EQ(decoded.size(), original.size());
    EXPECT_EQ(decoded.format(), QImage::Format_RGB32);
    EXPECT_TRUE(isOpaque(decoded));
    EXPECT_LT(fixtures::meanChannelDifference(decoded, original), 3.0);
}

struct ColourModelCase {
    const char* name;
    JpegColourModel model;
    JpegScans scans;
};

class JpegColourModels : public testing::TestWithParam<ColourModelCase> {};

TEST_P(JpegColourModels, DecodeToOpaqueRgbCloseToTheOriginal) {
    const QImage original = fixtures::smoothPicture(53, 37);
    const QImage decoded = decodeJpeg(
        fixtures::view(fixtures::encodeJpegAs(original, GetParam().model, GetParam().scans)));
    ASSERT_EQ(decoded.size(), original.size());
    EXPECT_EQ(decoded.format(), QImage::Format_RGB32);
    EXPECT_TRUE(isOpaque(decoded));
    if (GetParam().model == JpegColourModel::Grey) {
        EXPECT_TRUE(isOpaqueGrey(decoded));
        EXPECT_LT(fixtures::meanChannelDifference(decoded, greyOf(original)), 2.0);
    } else {
        EXPECT_LT(fixtures::meanChannelDifference(decoded, original), 3.0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Models, JpegColourModels,
    testing::Values(
        ColourModelCase{"Colour", JpegColourModel::Colour, JpegScans::Sequential},
        ColourModelCase{"ColourProgressive", JpegColourModel::Colour, JpegScans::Progressive},
        ColourModelCase{"Grey", JpegColourModel::Grey, JpegScans::Sequential},
        ColourModelCase{"GreyProgressive", JpegColourModel::Grey, JpegScans::Progressive},
        ColourModelCase{"AdobeCmyk", JpegColourModel::AdobeCmyk, JpegScans::Sequential},
        ColourModelCase{"AdobeYcck", JpegColourModel::AdobeYcck, JpegScans::Sequential},
        ColourModelCase{"PlainCmyk", JpegColourModel::PlainCmyk, JpegScans::Sequential}),
    [](const testing::TestParamInfo<ColourModelCase>& test) { return test.param.name; });

TEST(JpegDecoder, PicksTheSmallestScaleThatCoversTheBound) {
    struct Case {
        QSize size;
        QSize bound;
        int numerator;
    };
    const Case cases[] = {
        {{6000, 4000}, {1920, 1080}, 3}, // 2250 × 1500
        {{4000, 6000}, {1920, 1080}, 4}, // the width decides: 2000 × 3000
        {{6000, 4000}, {750, 500}, 1},   // exactly an eighth
        {{6000, 4000}, {751, 500}, 2},
        {{800, 600}, {400, 300}, 4}, // exactly half
        {{800, 600}, {401, 300}, 5},
        {{1001, 1001}, {126, 126}, 1}, // the eighth rounds up
        {{800, 600}, {800, 600}, 8},
        {{800, 600}, {1920, 1080}, 8}, // never upscaled
        {{800, 600}, {}, 8},
        {{800, 600}, {0, 100}, 8},
        {{}, {100, 100}, 8},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(QStringLiteral("%1×%2 in %3×%4")
                         .arg(test.size.width())
                         .arg(test.size.height())
                         .arg(test.bound.width())
                         .arg(test.bound.height())
                         .toStdString());
        EXPECT_EQ(jpegScaleNumerator(test.size, test.bound), test.numerator);
    }
}

TEST(JpegDecoder, DecodesAtTheScaleOfTheBound) {
    const QImage original = fixtures::smoothPicture(203, 150);
    const QByteArray jpeg = encodeJpeg(original);
    struct Case {
        QSize bound;
        QSize decoded;
    };
    const Case cases[] = {
        {{50, 40}, {77, 57}},   // 3/8
        {{26, 19}, {26, 19}},   // 1/8, rounded up
        {{102, 75}, {102, 75}}, // 4/8
        {{}, {203, 150}},       {{400, 400}, {203, 150}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(QStringLiteral("bound %1×%2")
                         .arg(test.bound.width())
                         .arg(test.bound.height())
                         .toStdString());
        const QImage decoded = decodeJpeg(fixtures::view(jpeg), test.bound);
        EXPECT_EQ(decoded.size(), test.decoded);
        EXPECT_EQ(decoded.format(), QImage::Format_RGB32);
        EXPECT_LT(fixtures::meanChannelDifference(
                      decoded, original.scaled(test.decoded, Qt::IgnoreAspectRatio,
                                               Qt::SmoothTransformation)),
                  4.0);
    }
}

TEST(JpegDecoder, ShowsWhatPrecedesACutInTheScan) {
    const QImage original = fixtures::smoothPicture(64, 256);
    const QByteArray jpeg = encodeJpeg(original);
    const qsizetype scan = fixtures::jpegScanOffset(jpeg);
    const QImage decoded =
        decodeJpeg(fixtures::view(fixtures::truncated(jpeg, scan + (jpeg.size() - scan) / 2)));
    ASSERT_EQ(decoded.size(), original.size());
    EXPECT_LT(
        fixtures::meanChannelDifference(decoded.copy(0, 0, 64, 64), original.copy(0, 0, 64, 64)),
        3.0);
}

TEST(JpegDecoder, RefusesDamagedFiles) {
    const QByteArray jpeg = encodeJpeg(fixtures::smoothPicture(40, 30));
    const qsizetype scan = fixtures::jpegScanOffset(jpeg);
    const qsizetype frame = jpeg.indexOf("\xFF\xC0");
    ASSERT_GT(scan, 0);
    ASSERT_GT(frame, 0);
    struct Case {
        const char* name;
        QByteArray bytes;
        QString message; // the whole message, or its start when it ends with '#'
    };
    const Case cases[] = {
        {"empty", {}, jpegError(JERR_INPUT_EMPTY)},
        {"only the start marker", fixtures::truncated(jpeg, 2), jpegError(JERR_NO_IMAGE)},
        {"cut in a header segment", fixtures::truncated(jpeg, 25), QStringLiteral("Erreur JPEG #")},
        {"cut in the frame header", fixtures::truncated(jpeg, frame + 6),
         QStringLiteral("Erreur JPEG #")},
        {"cut before the scan", fixtures::truncated(jpeg, scan), jpegError(JERR_SOF_NO_SOS)},
        {"not a JPEG", fixtures::flipped(jpeg, 0), jpegError(JERR_NO_SOI)},
        {"precision 0", fixtures::flipped(jpeg, frame + 4, 0x08), jpegError(JERR_BAD_PRECISION)},
        {"no width", withFrameSize(jpeg, 0, 30), jpegError(JERR_EMPTY_IMAGE)},
        {"wider than JPEG allows", withFrameSize(jpeg, 65535, 65535),
         jpegError(JERR_IMAGE_TOO_BIG)},
        {"more pixels than allowed", withFrameSize(jpeg, 20000, 20000),
         QStringLiteral("Image JPEG trop grande : 20000 × 20000 pixels.")},
        {"far more pixels than the data can hold", withFrameSize(jpeg, 4000, 3000),
         QStringLiteral(
             "Image JPEG invalide : le fichier est trop court pour 4000 × 3000 pixels.")},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        const QString message = errorOf(test.bytes);
        if (test.message.endsWith(u'#'))
            EXPECT_TRUE(message.startsWith(test.message)) << message.toStdString();
        else
            EXPECT_EQ(message, test.message);
    }
}

TEST(JpegDecoder, AcceptsAPlainPictureThatCompressesToAlmostNothing) {
    QImage plain(2048, 2048, QImage::Format_RGB32);
    plain.fill(Qt::darkCyan);
    for (const JpegScans scans : {JpegScans::Sequential, JpegScans::Progressive}) {
        const QByteArray jpeg = fixtures::encodeJpegAs(plain, JpegColourModel::Colour, scans);
        EXPECT_EQ(decodeJpeg(fixtures::view(jpeg)).size(), plain.size());
    }
}

TEST(JpegDecoder, RefusesAFileWithThousandsOfScans) {
    const QByteArray jpeg = fixtures::encodeJpegAs(fixtures::smoothPicture(16, 16),
                                                   JpegColourModel::Colour, JpegScans::Progressive);
    const qsizetype lastScan = jpeg.lastIndexOf("\xFF\xDA");
    const qsizetype end = jpeg.size() - 2;
    const QByteArray scan = jpeg.mid(lastScan, end - lastScan);
    const QByteArray bomb = jpeg.left(end) + scan.repeated(1000) + jpeg.right(2);
    EXPECT_EQ(errorOf(bomb), QStringLiteral("Image JPEG invalide : plus de 1000 passes."));
    EXPECT_EQ(decodeJpeg(fixtures::view(jpeg.left(end) + scan.repeated(20) + jpeg.right(2))).size(),
              QSize(16, 16));
}
