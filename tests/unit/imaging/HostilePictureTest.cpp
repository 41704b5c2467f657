#include "HostileFixtures.h"
#include "MetafileFixtures.h"
#include "PeakMemory.h"
#include "PictureFixtures.h"
#include "TestFolder.h"
#include "common/Error.h"
#include "imaging/PictureLoader.h"

#include <gtest/gtest.h>

#include <functional>

using orvandel::imaging::loadPicture;
using orvandel::imaging::loadPictureBounded;
namespace hostile = fixtures::hostile;

namespace {

const QSize Screen(1920, 1080);

// Each file asks for far more than its size suggests. Whether it is drawn or refused, the load must
// stay within the memory its result needs; the work it may do is bounded by the decoders' budgets.
struct HostileCase {
    const char* name;
    const char* fileName;
    std::function<QByteArray()> make;
    QSize bound; // empty: a full load
    // Either the picture's size, or a part of the refusal's text.
    QSize expectedSize;
    const char* expectedError;
    long memoryLimitMegabytes;
};

class HostilePictureTest : public testing::TestWithParam<HostileCase> {};

TEST_P(HostilePictureTest, DrawnOrRefusedWithinItsMemory) {
    const HostileCase& hostileCase = GetParam();
    TestFolder folder;
    const QString path = folder.write(hostileCase.fileName, hostileCase.make());
    const PeakMemory memory;
    QImage picture;
    QString error;
    try {
        picture = hostileCase.bound.isEmpty() ? loadPicture(path)
                                              : loadPictureBounded(path, hostileCase.bound);
    } catch (const orvandel::Error& refusal) {
        error = refusal.message();
    }
    if (hostileCase.expectedError != nullptr) {
        EXPECT_TRUE(error.contains(QString::fromUtf8(hostileCase.expectedError)))
            << error.toStdString();
    } else {
        EXPECT_TRUE(error.isEmpty()) << error.toStdString();
        EXPECT_EQ(picture.size(), hostileCase.expectedSize);
    }
    EXPECT_LE(memory.growthMegabytes(), hostileCase.memoryLimitMegabytes);
}

constexpr const char* TooComplex = "trop complexe à dessiner";

INSTANTIATE_TEST_SUITE_P(
    Classes, HostilePictureTest,
    testing::Values(HostileCase{"WidePenZigzag",
                                "zigzag.wmf",
                                [] { return hostile::wideZigzagWmf(2000, 600, 30000); },
                                {},
                                {},
                                TooComplex,
                                64},
                    HostileCase{"ManyPointPolygon",
                                "polygon.emf",
                                [] { return hostile::zigzagPolygonEmf(2048, 200'000); },
                                {},
                                {},
                                TooComplex,
                                48},
                    // Few points, but every row crossed by all their edges at once.
                    HostileCase{"PolygonOfThousandsOfEdgesOnTheSameRows",
                                "crossings.emf",
                                [] { return hostile::zigzagPolygonEmf(1000, 4000); },
                                {},
                                {},
                                TooComplex,
                                32},
                    HostileCase{"ManyCurves",
                                "curves.emf",
                                [] { return hostile::manyCurvesEmf(2048, 50'000); },
                                {},
                                {},
                                TooComplex,
                                96},
                    HostileCase{"ManyFullPictureFigures",
                                "figures.emf",
                                [] { return hostile::manyFiguresEmf(2048, 20'000); },
                                {},
                                {},
                                TooComplex,
                                64},
                    // 32 MB of figure counts, refused before they are read.
                    HostileCase{"MillionsOfEmptyFigures",
                                "empty.emf",
                                [] { return hostile::emptyFiguresEmf(500, 8'000'000); },
                                {},
                                {},
                                TooComplex,
                                16},
                    // A real drawing may carry a large bitmap it does not draw: skipped unread.
                    HostileCase{"LargeRecordThePlayerSkips",
                                "bitmap.emf",
                                [] { return hostile::largeBitmapRecordEmf(500, 48 << 20); },
                                {},
                                QSize(500, 500),
                                nullptr,
                                16},
                    HostileCase{"LongText",
                                "text.emf",
                                [] { return hostile::longTextEmf(1000, 1'000'000); },
                                {},
                                {},
                                TooComplex,
                                96},
                    HostileCase{"LargeFramePlayedAtTheBoundedSize", "frame.emf",
                                [] { return hostile::largeFrameEmf(16384, 20); }, Screen,
                                QSize(1920, 1920), nullptr, 64},
                    HostileCase{"RepeatedIcoEntry",
                                "repeated.ico",
                                [] { return hostile::repeatedEntryIco(65535); },
                                {},
                                {},
                                "masque",
                                32},
                    HostileCase{"IcoEntryWithTruncatedLargePng",
                                "truncated.ico",
                                [] { return hostile::truncatedPngIco(8, 4096); },
                                {},
                                {},
                                "PNG",
                                32},
                    HostileCase{"ArithmeticJpegClaimingAHugeSize",
                                "arithmetic.jpg",
                                [] { return hostile::arithmeticJpegClaiming(16384); },
                                {},
                                {},
                                "trop court",
                                16},
                    HostileCase{"ArithmeticJpegOfEmptyScans",
                                "scans.jpg",
                                [] {
                                    return hostile::emptyScansJpeg(
                                        8192, 1000, 0, fixtures::JpegCoding::Arithmetic);
                                },
                                Screen,
                                {},
                                "trop court",
                                16},
                    HostileCase{"EmptyScansPaddedWithAComment",
                                "comment.jpg",
                                [] {
                                    return hostile::emptyScansJpeg(16384, 998, 600'000,
                                                                   fixtures::JpegCoding::Huffman);
                                },
                                {},
                                {},
                                "trop court",
                                16},
                    HostileCase{"RealPictureFollowedByEmptyScans",
                                "padded.jpg",
                                [] { return hostile::pictureWithEmptyScans(1024, 400); },
                                {},
                                {},
                                "passes",
                                64},
                    HostileCase{"ShortRleBmpLoadedBounded", "short.bmp",
                                [] { return hostile::shortRleBmp(16384); }, Screen,
                                QSize(2048, 2048), nullptr, 64},
                    HostileCase{"TiffTileLargerThanThePicture",
                                "tile.tif",
                                [] { return hostile::oversizedTileTiff(4096); },
                                {},
                                {},
                                "tuile",
                                16}),
    [](const testing::TestParamInfo<HostileCase>& parameter) { return parameter.param.name; });

TEST(HostilePictureTest, OversizedAncillaryPngChunksAreSkipped) {
    TestFolder folder;
    const QImage original = fixtures::patternPicture();
    for (const char* type : {"iCCP", "tEXt", "zzZz"}) {
        const QString path = folder.write(
            QStringLiteral("chunk.png"),
            hostile::withChunk(fixtures::pngFile(original), type, qsizetype{17} << 20));
        EXPECT_EQ(loadPicture(path).convertToFormat(QImage::Format_RGB32), original) << type;
    }
}

TEST(HostilePictureTest, AFilledZigzagOverEveryRowIsRefusedBeforeItIsDrawn) {
    namespace emf = fixtures::emf;
    constexpr int NullPenStyle = 5;
    // Eight hundred edges over all 1024 rows: seconds of antialiased filling for one record.
    QList<QPoint> zigzag;
    for (int index = 0; index < 800; ++index)
        zigzag.append(QPoint(index * 1024 / 800, index % 2 == 0 ? 0 : 1024));
    TestFolder folder;
    const QString path = folder.write(
        "zigzag.emf", emf::file(emf::headerForPixels(QSize(1024, 1024)),
                                {emf::createBrush(1, 0, qRgb(0, 128, 0)), emf::selectObject(1),
                                 emf::createPen(2, NullPenStyle, 0, 0), emf::selectObject(2),
                                 emf::polygon(zigzag)}));
    try {
        loadPicture(path);
        FAIL() << "the zigzag was drawn";
    } catch (const orvandel::Error& error) {
        EXPECT_TRUE(error.message().contains(QStringLiteral("trop complexe")))
            << error.message().toStdString();
    }
}

TEST(HostilePictureTest, AMetafileOfThousandsOfRecordsStillDraws) {
    namespace emf = fixtures::emf;
    QList<QByteArray> records{emf::createBrush(1, 0, qRgb(0, 128, 0)), emf::selectObject(1)};
    for (int index = 0; index < 5000; ++index) {
        const int x = (index * 37) % 1900;
        const int y = (index * 53) % 1000;
        records.append(index % 2 == 0 ? emf::rectangle(x, y, x + 40, y + 30)
                                      : emf::ellipse(x, y, x + 50, y + 50));
    }
    records.append(emf::extTextOut(100, 100, QString(200, u'a')));
    TestFolder folder;
    const QString path =
        folder.write("real.emf", emf::file(emf::headerForPixels(QSize(1920, 1080)), records));
    const QImage picture = loadPicture(path);
    ASSERT_EQ(picture.size(), QSize(1920, 1080));
    EXPECT_EQ(picture.pixel(37 * 2 + 20, 53 * 2 + 15), qRgb(0, 128, 0));
}

} // namespace
