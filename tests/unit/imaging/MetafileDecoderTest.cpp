#include "imaging/codecs/MetafileDecoder.h"

#include "MetafileFixtures.h"
#include "PictureFixtures.h"
#include "common/Error.h"
#include "imaging/codecs/MetafileCanvas.h"
#include "imaging/codecs/MetafileCost.h"

#include <gtest/gtest.h>

#include <functional>

using orvandel::imaging::decodeEmf;
using orvandel::imaging::decodeWmf;

namespace {

constexpr QRgb White = 0xFFFFFFFF;
constexpr QRgb Red = 0xFFFF0000;
constexpr QRgb Green = 0xFF00FF00;
constexpr QRgb Blue = 0xFF0000FF;
constexpr QRgb Black = 0xFF000000;

constexpr int SolidBrush = 0;
constexpr int NullPenStyle = 5;
constexpr int Alternate = 1;
constexpr int Winding = 2;

struct PixelExpectation {
    QPoint at;
    QRgb colour;
};

void expectPixels(const QImage& picture, const QList<PixelExpectation>& expectations) {
    for (const PixelExpectation& expected : expectations)
        EXPECT_EQ(picture.pixel(expected.at), expected.colour)
            << "at " << expected.at.x() << ", " << expected.at.y();
}

template <typename Case> std::string caseName(const testing::TestParamInfo<Case>& parameter) {
    return parameter.param.name;
}

bool hasDarkPixelIn(const QImage& picture, const QRect& area) {
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qGray(picture.pixel(x, y)) < 128)
                return true;
    return false;
}

// --- WMF -----------------------------------------------------------------------------------------

namespace wmf = fixtures::wmf;

// 100 × 100 pixels, one logical unit per pixel.
constexpr wmf::Box PixelBox{0, 0, 100, 100, 96};

QImage decodeWmfFile(const QByteArray& bytes) {
    return decodeWmf(fixtures::view(bytes));
}

// The records that make the drawing that follows fill in `colour` without an outline.
QList<QByteArray> wmfFillWith(QRgb colour) {
    return {wmf::createBrush(SolidBrush, colour), wmf::selectObject(0),
            wmf::createPen(NullPenStyle, 0, 0), wmf::selectObject(1)};
}

struct WmfSizeCase {
    wmf::Box box;
    QSize expected;
};

class MetafileWmfSizeTest : public testing::TestWithParam<WmfSizeCase> {};

TEST_P(MetafileWmfSizeTest, PlaceableBoxScaledToScreenResolution) {
    const QImage picture = decodeWmfFile(wmf::placeableFile(GetParam().box, {}));
    EXPECT_EQ(picture.size(), GetParam().expected);
    EXPECT_EQ(picture.format(), QImage::Format_RGB32);
    EXPECT_EQ(picture.pixel(0, 0), White);
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, MetafileWmfSizeTest,
    testing::Values(WmfSizeCase{{0, 0, 1440, 720, 1440}, QSize(96, 48)},
                    WmfSizeCase{{-500, 100, 500, 600, 1000}, QSize(96, 48)},
                    WmfSizeCase{{0, 0, 100, 100, 1000}, QSize(10, 10)},   // 9.6 rounds up
                    WmfSizeCase{{0, 0, 3, 3, 1440}, QSize(1, 1)},         // never below one pixel
                    WmfSizeCase{{100, 100, 0, 0, 96}, QSize(100, 100)})); // reversed box

TEST(MetafileWmfTest, WithoutPlaceableHeaderTheWindowExtentGivesTheSize) {
    const QImage picture =
        decodeWmfFile(wmf::plainFile({wmf::setWindowOrigin(0, 0), wmf::setWindowExtent(64, 32)}));
    EXPECT_EQ(picture.size(), QSize(64, 32));
}

TEST(MetafileWmfTest, VeryLongPicturesScaledDownToTheLargestSide) {
    // 32000 × 2000 pixels at screen resolution: drawn at half that size.
    const QImage picture = decodeWmfFile(wmf::placeableFile(
        {0, 0, 32000, 2000, 96}, wmfFillWith(Red) + QList{wmf::rectangle(16000, 0, 32000, 2000)}));
    EXPECT_EQ(picture.size(), QSize(16384, 1024));
    expectPixels(picture, {{{12000, 500}, Red}, {{4000, 500}, White}});
}

TEST(MetafileWmfTest, FilledRectangleDrawnInPlace) {
    const QImage picture = decodeWmfFile(
        wmf::placeableFile(PixelBox, wmfFillWith(Red) + QList{wmf::rectangle(20, 30, 60, 70)}));
    expectPixels(picture, {{{21, 31}, Red},
                           {{40, 50}, Red},
                           {{58, 68}, Red},
                           {{18, 50}, White},
                           {{62, 50}, White},
                           {{40, 28}, White},
                           {{40, 72}, White}});
}

TEST(MetafileWmfTest, OutlineDrawnWithTheSelectedPen) {
    const QImage picture = decodeWmfFile(wmf::placeableFile(
        PixelBox, {wmf::createPen(0, 4, Blue), wmf::selectObject(0), wmf::createBrush(1, 0),
                   wmf::selectObject(1), wmf::rectangle(20, 20, 80, 80)}));
    expectPixels(picture,
                 {{{20, 50}, Blue}, {{80, 50}, Blue}, {{50, 20}, Blue}, {{50, 50}, White}});
}

TEST(MetafileWmfTest, EllipseAndRoundRectangle) {
    const QImage picture = decodeWmfFile(wmf::placeableFile(
        PixelBox, wmfFillWith(Blue) +
                      QList{wmf::ellipse(10, 10, 90, 50), wmf::roundRect(10, 60, 90, 95, 20, 20)}));
    // Inside the shapes, outside their rounded corners.
    expectPixels(picture, {{{50, 30}, Blue},
                           {{12, 30}, Blue},
                           {{13, 13}, White},
                           {{50, 78}, Blue},
                           {{11, 61}, White}});
}

TEST(MetafileWmfTest, PolygonFilled) {
    const QImage picture = decodeWmfFile(wmf::placeableFile(
        PixelBox, wmfFillWith(Green) + QList{wmf::polygon({{10, 90}, {90, 90}, {50, 10}})}));
    expectPixels(picture, {{{50, 80}, Green}, {{50, 20}, Green}, {{20, 20}, White}});
}

struct FillModeCase {
    int mode;
    QRgb centre;
};

class MetafileFillModeTest : public testing::TestWithParam<FillModeCase> {};

TEST_P(MetafileFillModeTest, PolyPolygonHoleFollowsTheFillMode) {
    const QList<QPoint> outer{{10, 10}, {90, 10}, {90, 90}, {10, 90}};
    const QList<QPoint> inner{{40, 40}, {60, 40}, {60, 60}, {40, 60}};
    const QImage picture = decodeWmfFile(wmf::placeableFile(
        PixelBox, wmfFillWith(Green) + QList{wmf::setPolyFillMode(GetParam().mode),
                                             wmf::polyPolygon({outer, inner})}));
    expectPixels(picture, {{{20, 20}, Green}, {{50, 50}, GetParam().centre}});
}

INSTANTIATE_TEST_SUITE_P(Modes, MetafileFillModeTest,
                         testing::Values(FillModeCase{Alternate, White},
                                         FillModeCase{Winding, Green}));

struct BackgroundCase {
    int mode;
    QRgb gap;
};

class MetafileBackgroundTest : public testing::TestWithParam<BackgroundCase> {};

TEST_P(MetafileBackgroundTest, HatchGapsFollowTheBackgroundMode) {
    constexpr int Hatched = 2;
    constexpr int Cross = 4;
    const QImage picture = decodeWmfFile(wmf::placeableFile(
        PixelBox, {wmf::setBackgroundColor(Red), wmf::setBackgroundMode(GetParam().mode),
                   wmf::createBrush(Hatched, Blue, Cross), wmf::selectObject(0),
                   wmf::createPen(NullPenStyle, 0, 0), wmf::selectObject(1),
                   wmf::rectangle(0, 0, 100, 100)}));
    // The hatch lines are 8 pixels apart; the pixels between them are gaps.
    expectPixels(picture, {{{4, 0}, Blue}, {{0, 3}, Blue}, {{1, 1}, GetParam().gap}});
}

INSTANTIATE_TEST_SUITE_P(Modes, MetafileBackgroundTest,
                         testing::Values(BackgroundCase{1, White}, BackgroundCase{2, Red}));

TEST(MetafileWmfTest, LinesFromTheCurrentPositionAndPolylines) {
    const QImage picture = decodeWmfFile(wmf::placeableFile(
        PixelBox, {wmf::createPen(0, 3, Red), wmf::selectObject(0), wmf::moveTo(10, 20),
                   wmf::lineTo(90, 20), wmf::polyline({{10, 60}, {90, 60}, {90, 90}})}));
    expectPixels(
        picture,
        {{{50, 20}, Red}, {{50, 30}, White}, {{50, 60}, Red}, {{90, 75}, Red}, {{50, 75}, White}});
}

struct WindowCase {
    const char* name;
    QPoint origin;
    QSize extent;
    QList<PixelExpectation> expected;
};

class MetafileWmfWindowTest : public testing::TestWithParam<WindowCase> {};

// Logical units 0..1000 on a 100-pixel picture; the red rectangle is x 500..1000, y 0..500.
TEST_P(MetafileWmfWindowTest, WindowMapsOntoThePicture) {
    const WindowCase& window = GetParam();
    const QImage picture = decodeWmfFile(wmf::placeableFile(
        {0, 0, 1000, 1000, 960},
        QList{wmf::setWindowOrigin(window.origin.x(), window.origin.y()),
              wmf::setWindowExtent(window.extent.width(), window.extent.height())} +
            wmfFillWith(Red) + QList{wmf::rectangle(500, 0, 1000, 500)}));
    ASSERT_EQ(picture.size(), QSize(100, 100));
    expectPixels(picture, window.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Windows, MetafileWmfWindowTest,
    testing::Values(
        WindowCase{
            "Plain", {0, 0}, {1000, 1000}, {{{75, 25}, Red}, {{25, 25}, White}, {{75, 75}, White}}},
        WindowCase{"Shifted",
                   {500, 0},
                   {500, 1000},
                   {{{25, 25}, Red}, {{90, 25}, Red}, {{50, 75}, White}}},
        WindowCase{"UpwardY", {0, 1000}, {1000, -1000}, {{{75, 75}, Red}, {{75, 25}, White}}}),
    caseName<WindowCase>);

TEST(MetafileWmfTest, DeletedObjectsFreeTheLowestSlot) {
    const QImage picture = decodeWmfFile(wmf::placeableFile(
        PixelBox, {wmf::createPen(NullPenStyle, 0, 0), wmf::selectObject(0),  // slot 0
                   wmf::createBrush(SolidBrush, Red),                         // slot 1
                   wmf::createBrush(SolidBrush, Blue),                        // slot 2
                   wmf::deleteObject(1), wmf::createBrush(SolidBrush, Green), // takes slot 1 again
                   wmf::selectObject(2), wmf::rectangle(0, 0, 30, 30), wmf::selectObject(1),
                   wmf::rectangle(35, 0, 65, 30), wmf::deleteObject(2),
                   wmf::selectObject(2),  // empty: ignored
                   wmf::selectObject(40), // out of range: ignored
                   wmf::rectangle(70, 0, 100, 30)}));
    expectPixels(picture, {{{15, 15}, Blue}, {{50, 15}, Green}, {{85, 15}, Green}});
}

TEST(MetafileWmfTest, SelectedObjectsOutliveTheirDeletion) {
    const QImage picture = decodeWmfFile(wmf::placeableFile(
        PixelBox, wmfFillWith(Red) + QList{wmf::deleteObject(0), wmf::rectangle(10, 10, 50, 50)}));
    expectPixels(picture, {{{30, 30}, Red}});
}

TEST(MetafileWmfTest, RestoreDcBringsBackTheSavedBrush) {
    const QImage picture = decodeWmfFile(wmf::placeableFile(
        PixelBox, wmfFillWith(Red) + QList{wmf::saveDc(), wmf::createBrush(SolidBrush, Blue),
                                           wmf::selectObject(2), wmf::restoreDc(-1),
                                           wmf::rectangle(10, 10, 50, 50)}));
    expectPixels(picture, {{{30, 30}, Red}});
}

TEST(MetafileWmfTest, UnknownRecordsSkippedByTheirSize) {
    // The unknown record's parameters look like a rectangle covering everything.
    const QImage picture = decodeWmfFile(wmf::placeableFile(
        PixelBox, wmfFillWith(Red) + QList{wmf::record(0x0777, {100, 100, 0, 0, 7, 7, 7}),
                                           wmf::record(0x0104, {13, 0}), // SetROP2: not drawn
                                           wmf::rectangle(20, 20, 40, 40)}));
    expectPixels(picture, {{{30, 30}, Red}, {{80, 80}, White}});
}

TEST(MetafileWmfTest, TextDrawnInTheTextColour) {
    const QImage picture = decodeWmfFile(
        wmf::placeableFile(PixelBox, {wmf::createFont(-30, 700), wmf::selectObject(0),
                                      wmf::setBackgroundMode(1), wmf::textOut(5, 10, "HHHH")}));
    EXPECT_TRUE(hasDarkPixelIn(picture, QRect(5, 10, 90, 35)));
    EXPECT_FALSE(hasDarkPixelIn(picture, QRect(0, 60, 100, 40)));
}

TEST(MetafileWmfTest, OpaqueTextRectangleFilledWithTheBackgroundColour) {
    const QImage picture = decodeWmfFile(
        wmf::placeableFile(PixelBox, {wmf::setBackgroundColor(Green), wmf::setTextColor(Red),
                                      wmf::extTextOutOpaque(10, 60, "x", 0, 50, 100, 100)}));
    expectPixels(picture, {{{95, 95}, Green}, {{50, 40}, White}});
}

TEST(MetafileWmfTest, FileEndingWithoutEndRecordKeepsWhatWasDrawn) {
    QByteArray bytes =
        wmf::placeableFile(PixelBox, wmfFillWith(Red) + QList{wmf::rectangle(0, 0, 50, 50)});
    bytes.chop(6); // the end-of-file record
    expectPixels(decodeWmfFile(bytes), {{{25, 25}, Red}});
}

struct DamagedCase {
    const char* name;
    const char* reason; // part of the error text
    QByteArray bytes;
};

void expectRefused(const std::function<QImage()>& decode, const char* format, const char* reason) {
    try {
        decode();
        ADD_FAILURE() << "decoded";
    } catch (const orvandel::Error& error) {
        EXPECT_TRUE(error.message().contains(QLatin1String(format))) << error.what();
        EXPECT_TRUE(error.message().contains(QString::fromUtf8(reason))) << error.what();
    }
}

class MetafileWmfDamagedTest : public testing::TestWithParam<DamagedCase> {};

TEST_P(MetafileWmfDamagedTest, Refused) {
    expectRefused([] { return decodeWmfFile(GetParam().bytes); }, "WMF", GetParam().reason);
}

QByteArray drawnWmf() {
    return wmf::placeableFile(PixelBox, wmfFillWith(Red) + QList{wmf::rectangle(0, 0, 50, 50)});
}

// The end-of-file record follows a file's records; these are placed before it.
QByteArray wmfWith(const QByteArray& damagedRecord) {
    return wmf::placeableFile(PixelBox, {wmf::rectangle(0, 0, 10, 10), damagedRecord});
}

INSTANTIATE_TEST_SUITE_P(
    Files, MetafileWmfDamagedTest,
    testing::Values(
        DamagedCase{"Empty", "en-tête tronqué", {}},
        DamagedCase{"PlaceableHeaderCut", "en-tête tronqué", fixtures::truncated(drawnWmf(), 12)},
        DamagedCase{"StandardHeaderCut", "en-tête tronqué", fixtures::truncated(drawnWmf(), 30)},
        DamagedCase{"WrongKey", "signature inconnue", fixtures::flipped(drawnWmf(), 0, 0x01)},
        DamagedCase{"WrongHeaderSize", "signature inconnue",
                    fixtures::flipped(drawnWmf(), 24, 0x01)},
        DamagedCase{"ZeroUnitsPerInch", "résolution nulle",
                    wmf::placeableFile({0, 0, 100, 100, 0}, {})},
        DamagedCase{"EmptyBox", "cadre d'image vide", wmf::placeableFile({0, 0, 0, 100, 96}, {})},
        DamagedCase{"GiantBox", "trop grande",
                    wmf::placeableFile({-32768, -32768, 32767, 32767, 1}, {})},
        DamagedCase{"NoWindowExtent", "taille inconnue",
                    wmf::plainFile({wmf::rectangle(0, 0, 5, 5)})},
        DamagedCase{"GiantWindowExtent", "trop grande",
                    wmf::plainFile({wmf::setWindowExtent(32767, 32767)})},
        DamagedCase{"CutInsideARecord", "enregistrement tronqué",
                    fixtures::truncated(drawnWmf(), drawnWmf().size() - 10)},
        DamagedCase{"RecordClaimingMoreThanTheFile", "enregistrement tronqué",
                    wmfWith(wmf::recordClaiming(5000, 0x041B, {50, 50, 0, 0}))},
        DamagedCase{"ZeroSizeRecord", "taille d'enregistrement incorrecte",
                    wmfWith(wmf::recordClaiming(0, 0x041B, {50, 50, 0, 0}))},
        DamagedCase{"RecordShorterThanItsHeader", "taille d'enregistrement incorrecte",
                    wmfWith(wmf::recordClaiming(2, 0x041B, {}))},
        DamagedCase{"PolygonCountBeyondTheRecord", "mal formé",
                    wmfWith(wmf::record(0x0324, {50, 10, 10, 20, 20, 30, 10}))},
        DamagedCase{"NegativePolygonCount", "mal formé",
                    wmfWith(wmf::record(0x0324, {-3, 10, 10, 20, 20}))},
        DamagedCase{"PolyPolygonCountsBeyondTheRecord", "mal formé",
                    wmfWith(wmf::record(0x0538, {2, 3, 30000, 10, 10, 20, 20, 30, 10}))},
        DamagedCase{"TextLongerThanTheRecord", "mal formé",
                    wmfWith(wmf::record(0x0521, {200, 0x4141, 5, 5}))},
        DamagedCase{"RectangleMissingCoordinates", "mal formé",
                    wmfWith(wmf::record(0x041B, {50, 50}))}),
    caseName<DamagedCase>);

TEST(MetafileWmfTest, EveryCutOfAFileDecodesOrIsRefused) {
    const QByteArray bytes = drawnWmf();
    for (qsizetype length = 0; length < bytes.size(); ++length) {
        try {
            decodeWmfFile(fixtures::truncated(bytes, length));
        } catch (const orvandel::Error&) {
        }
    }
}

// --- Shared drawing ---

using orvandel::imaging::CanvasGeometry;
using orvandel::imaging::MetafileCanvas;

TEST(MetafileCanvasTest, PaintingStopsOnceTheBudgetIsSpent) {
    CanvasGeometry geometry;
    geometry.format = QLatin1String("WMF");
    geometry.pictureSize = QSize(10, 10);
    geometry.frame = QRectF(0, 0, 10, 10);
    const QPolygonF square(QRectF(-5, -5, 100, 100));
    const double squareCost = orvandel::imaging::fillCost({square}, geometry.pictureSize);
    geometry.paintBudget = 2.5 * squareCost;
    MetafileCanvas canvas(geometry);
    canvas.select(orvandel::imaging::MetafilePen{Qt::NoPen});
    canvas.drawRectangle(QRectF(-5, -5, 100, 100));
    canvas.drawRectangle(QRectF(-5, -5, 100, 100));
    try {
        canvas.drawRectangle(QRectF(-5, -5, 100, 100));
        ADD_FAILURE() << "drawn beyond the budget";
    } catch (const orvandel::Error& error) {
        EXPECT_EQ(error.message(), QStringLiteral("Fichier WMF trop complexe à dessiner."));
    }
}

TEST(MetafileCostTest, GrowsWithTheWorkNotWithTheBounds) {
    const QSize picture(1000, 1000);
    const QPolygonF diagonal{QPointF(0, 0), QPointF(1000, 1000)};
    QPolygonF zigzag{QPointF(0, 0)};
    for (int index = 1; index <= 100; ++index)
        zigzag.append(QPointF(index * 10, index % 2 == 0 ? 0 : 1000));
    using orvandel::imaging::strokeCost;
    // A thin diagonal costs its band, not its bounding box; a wide pen makes it cost more.
    EXPECT_LT(strokeCost({diagonal}, 1, picture), 100'000);
    EXPECT_GT(strokeCost({diagonal}, 500, picture), 20 * strokeCost({diagonal}, 1, picture));
    // Every segment of a zigzag counts, though their bounds together are those of one.
    EXPECT_GT(strokeCost({zigzag}, 500, picture), 50 * strokeCost({diagonal}, 500, picture) / 2);
    // Off the picture, only the segments' set-up counts.
    EXPECT_LT(strokeCost({zigzag.translated(5000, 0)}, 500, picture), 10'000);
}

// --- EMF -----------------------------------------------------------------------------------------

namespace emf = fixtures::emf;

constexpr int MmAnisotropic = 8;
constexpr int MmIsotropic = 7;
constexpr int MmHighMetric = 3;

QImage decodeEmfFile(const QByteArray& bytes) {
    return decodeEmf(fixtures::view(bytes));
}

QByteArray pixelEmf(const QList<QByteArray>& records) {
    return emf::file(emf::headerForPixels(QSize(100, 100)), records);
}

QList<QByteArray> emfFillWith(QRgb colour) {
    return {emf::createBrush(1, SolidBrush, colour), emf::selectObject(1),
            emf::selectObject(emf::NullPen)};
}

struct EmfSizeCase {
    const char* name;
    emf::Header header;
    QSize expected;
};

class MetafileEmfSizeTest : public testing::TestWithParam<EmfSizeCase> {};

TEST_P(MetafileEmfSizeTest, SizeFromTheHeader) {
    const QImage picture = decodeEmfFile(emf::file(GetParam().header, {}));
    EXPECT_EQ(picture.size(), GetParam().expected);
    EXPECT_EQ(picture.format(), QImage::Format_RGB32);
    EXPECT_EQ(picture.pixel(0, 0), White);
}

INSTANTIATE_TEST_SUITE_P(
    Headers, MetafileEmfSizeTest,
    testing::Values(
        // 4 pixels per millimetre: 25 × 50 mm.
        EmfSizeCase{
            "Frame", {{0, 0, 9, 9}, {0, 0, 2500, 5000}, {1000, 800}, {250, 200}}, {100, 200}},
        // 1920 pixels on 508 mm (96 per inch): 10 × 5 mm.
        EmfSizeCase{"ScreenFrame",
                    {{0, 0, 9, 9}, {100, 100, 1100, 600}, {1920, 1080}, {508, 286}},
                    {38, 19}},
        EmfSizeCase{"UnknownDeviceUsesBounds",
                    {{10, 20, 73, 51}, {0, 0, 2500, 5000}, {0, 0}, {0, 0}},
                    {64, 32}},
        EmfSizeCase{"EmptyFrameUsesBounds",
                    {{0, 0, 63, 31}, {0, 0, 0, 0}, {1000, 800}, {250, 200}},
                    {64, 32}}),
    caseName<EmfSizeCase>);

TEST(MetafileEmfTest, FilledRectangleDrawnInPlace) {
    const QImage picture =
        decodeEmfFile(pixelEmf(emfFillWith(Red) + QList{emf::rectangle(20, 30, 60, 70)}));
    expectPixels(picture, {{{21, 31}, Red},
                           {{40, 50}, Red},
                           {{58, 68}, Red},
                           {{18, 50}, White},
                           {{62, 50}, White},
                           {{40, 28}, White},
                           {{40, 72}, White}});
}

TEST(MetafileEmfTest, FrameOffsetMovesTheDrawing) {
    // The frame starts 10 pixels right and down of the device origin.
    const emf::Header header{{10, 10, 109, 109}, {250, 250, 2750, 2750}, {1000, 1000}, {250, 250}};
    const QImage picture =
        decodeEmfFile(emf::file(header, emfFillWith(Red) + QList{emf::rectangle(10, 10, 30, 30)}));
    expectPixels(picture, {{{5, 5}, Red}, {{25, 25}, White}});
}

// Shapes are cut to the picture before drawing; the cut must not bend their edges.
TEST(MetafileEmfTest, ShapesReachingFarBeyondThePictureKeepTheirEdges) {
    const QImage picture = decodeEmfFile(pixelEmf(
        emfFillWith(Red) + QList{emf::polygon({{0, 0}, {0, 100}, {2000000000, 1000000000}}),
                                 emf::createPen(2, 0, 3, Blue), emf::selectObject(2),
                                 emf::polyline16({{10, -32000}, {10, 32000}})}));
    // The far edge runs along y = x / 2.
    expectPixels(picture, {{{60, 40}, Red}, {{90, 50}, Red}, {{60, 25}, White}, {{10, 50}, Blue}});
}

TEST(MetafileEmfTest, StockObjects) {
    const QImage picture =
        decodeEmfFile(pixelEmf({emf::selectObject(emf::BlackBrush), emf::selectObject(emf::NullPen),
                                emf::rectangle(0, 0, 40, 40), emf::selectObject(emf::NullBrush),
                                emf::selectObject(emf::BlackPen), emf::rectangle(50, 50, 90, 90)}));
    expectPixels(picture, {{{20, 20}, Black}, {{70, 70}, White}, {{50, 70}, Black}});
}

TEST(MetafileEmfTest, ShapesAndLines) {
    const QImage picture = decodeEmfFile(pixelEmf(
        emfFillWith(Blue) +
        QList{emf::ellipse(0, 0, 40, 40), emf::polygon16({{50, 40}, {90, 40}, {70, 0}}),
              emf::polygon({{0, 50}, {40, 50}, {40, 90}}), emf::roundRect(50, 50, 90, 90, 10, 10),
              emf::createPen(2, 0, 3, Red), emf::selectObject(2), emf::moveTo(0, 96),
              emf::lineTo(100, 96), emf::polyline16({{45, 0}, {45, 100}})}));
    expectPixels(picture, {{{20, 20}, Blue},
                           {{2, 2}, White},
                           {{70, 30}, Blue},
                           {{55, 5}, White},
                           {{35, 80}, Blue},
                           {{5, 80}, White},
                           {{70, 70}, Blue},
                           {{50, 96}, Red},
                           {{45, 50}, Red}});
}

TEST(MetafileEmfTest, GeometricPenWidthScalesWithTheMapping) {
    const QImage picture =
        decodeEmfFile(pixelEmf({emf::setMapMode(MmAnisotropic), emf::setWindowExtent(10, 10),
                                emf::setViewportExtent(100, 100), emf::extCreatePen(1, 1, Red),
                                emf::selectObject(1), emf::moveTo(0, 5), emf::lineTo(10, 5)}));
    // One logical unit is ten pixels.
    expectPixels(picture, {{{50, 46}, Red}, {{50, 54}, Red}, {{50, 40}, White}});
}

TEST(MetafileEmfTest, BeziersFollowTheirControlPoints) {
    const QImage picture =
        decodeEmfFile(pixelEmf({emf::createPen(1, 0, 3, Red), emf::selectObject(1),
                                emf::polyBezier16({{0, 50}, {30, 50}, {70, 50}, {100, 50}})}));
    expectPixels(picture, {{{50, 50}, Red}, {{50, 40}, White}});
}

TEST(MetafileEmfTest, PathFilledWhenClosed) {
    const QImage picture = decodeEmfFile(pixelEmf(
        emfFillWith(Green) + QList{emf::beginPath(), emf::moveTo(10, 10), emf::lineTo(90, 10),
                                   emf::lineTo(90, 90), emf::lineTo(10, 90), emf::closeFigure(),
                                   emf::endPath(), emf::fillPath()}));
    expectPixels(picture, {{{50, 50}, Green}, {{5, 5}, White}});
}

TEST(MetafileEmfTest, DrawingInsideAPathIsNotPaintedUntilThePathIs) {
    const QImage picture = decodeEmfFile(
        pixelEmf(emfFillWith(Green) +
                 QList{emf::beginPath(), emf::rectangle(10, 10, 90, 90), emf::endPath()}));
    expectPixels(picture, {{{50, 50}, White}});
}

TEST_P(MetafileFillModeTest, EmfPolyPolygonHoleFollowsTheFillMode) {
    const QList<QPoint> outer{{10, 10}, {90, 10}, {90, 90}, {10, 90}};
    const QList<QPoint> inner{{40, 40}, {60, 40}, {60, 60}, {40, 60}};
    const QImage picture =
        decodeEmfFile(pixelEmf(emfFillWith(Green) + QList{emf::setPolyFillMode(GetParam().mode),
                                                          emf::polyPolygon16({outer, inner})}));
    expectPixels(picture, {{{20, 20}, Green}, {{50, 50}, GetParam().centre}});
}

struct MappingCase {
    const char* name;
    QList<QByteArray> mapping;
    QList<PixelExpectation> expected;
};

class MetafileEmfMappingTest : public testing::TestWithParam<MappingCase> {};

// The red rectangle is logical x 500..1000, y 0..500.
TEST_P(MetafileEmfMappingTest, LogicalUnitsMappedOntoThePicture) {
    const QImage picture = decodeEmfFile(
        pixelEmf(GetParam().mapping + emfFillWith(Red) + QList{emf::rectangle(500, 0, 1000, 500)}));
    expectPixels(picture, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Mappings, MetafileEmfMappingTest,
    testing::Values(MappingCase{"WindowOntoViewport",
                                {emf::setMapMode(MmAnisotropic), emf::setWindowExtent(1000, 1000),
                                 emf::setViewportExtent(100, 100)},
                                {{{75, 25}, Red}, {{25, 25}, White}, {{75, 75}, White}}},
                    MappingCase{"WindowWithoutViewportFillsTheFrame",
                                {emf::setMapMode(MmAnisotropic), emf::setWindowExtent(1000, 1000)},
                                {{{75, 25}, Red}, {{25, 25}, White}, {{75, 75}, White}}},
                    MappingCase{"ViewportOrigin",
                                {emf::setMapMode(MmAnisotropic), emf::setWindowExtent(1000, 1000),
                                 emf::setViewportExtent(100, 100), emf::setViewportOrigin(-50, 50)},
                                {{{25, 75}, Red}, {{75, 25}, White}}},
                    MappingCase{"IsotropicKeepsTheAspect",
                                {emf::setMapMode(MmIsotropic), emf::setWindowExtent(1000, 500),
                                 emf::setViewportExtent(100, 100)},
                                {{{75, 25}, Red}, {{75, 60}, White}}},
                    MappingCase{"FlippedWindow",
                                {emf::setMapMode(MmAnisotropic), emf::setWindowOrigin(0, 1000),
                                 emf::setWindowExtent(1000, -1000),
                                 emf::setViewportExtent(100, 100)},
                                {{{75, 75}, Red}, {{75, 25}, White}}},
                    // 0.01 mm units on 4 pixels per millimetre, y upwards: 500 units are 20 pixels.
                    MappingCase{"HighMetric",
                                {emf::setMapMode(MmHighMetric), emf::setViewportOrigin(0, 100)},
                                {{{30, 90}, Red}, {{10, 90}, White}, {{30, 70}, White}}},
                    MappingCase{"TextModeWindowOrigin",
                                {emf::setWindowOrigin(480, 0)},
                                {{{30, 50}, Red}, {{10, 50}, White}, {{30, 60}, Red}}}),
    caseName<MappingCase>);

TEST(MetafileEmfTest, SelectionSaveRestoreAndDeletion) {
    const QImage picture = decodeEmfFile(pixelEmf(
        emfFillWith(Red) + QList{emf::createBrush(2, SolidBrush, Blue), emf::saveDc(),
                                 emf::selectObject(2), emf::rectangle(0, 0, 30, 30),
                                 emf::restoreDc(-1), emf::rectangle(35, 0, 65, 30),
                                 emf::deleteObject(2), emf::selectObject(2), // deleted: ignored
                                 emf::selectObject(70000),                   // out of range
                                 emf::rectangle(70, 0, 100, 30)}));
    expectPixels(picture, {{{15, 15}, Blue}, {{50, 15}, Red}, {{85, 15}, Red}});
}

TEST(MetafileEmfTest, UnknownRecordsSkippedByTheirSize) {
    const QImage picture = decodeEmfFile(
        pixelEmf(emfFillWith(Red) + QList{emf::record(0x7777, {43, 24, 0, 0, 100, 100}),
                                          emf::record(70, {8, 0x2B464D45, 1, 2}), // comment
                                          emf::rectangle(20, 20, 40, 40)}));
    expectPixels(picture, {{{30, 30}, Red}, {{80, 80}, White}});
}

TEST(MetafileEmfTest, TextDrawnInTheTextColour) {
    const QImage picture = decodeEmfFile(
        pixelEmf({emf::createFont(1, -30), emf::selectObject(1), emf::setTextColor(Black),
                  emf::extTextOut(5, 10, QStringLiteral("HHHH"))}));
    EXPECT_TRUE(hasDarkPixelIn(picture, QRect(5, 10, 90, 35)));
    EXPECT_FALSE(hasDarkPixelIn(picture, QRect(0, 60, 100, 40)));
}

class MetafileEmfDamagedTest : public testing::TestWithParam<DamagedCase> {};

TEST_P(MetafileEmfDamagedTest, Refused) {
    expectRefused([] { return decodeEmfFile(GetParam().bytes); }, "EMF", GetParam().reason);
}

QByteArray drawnEmf() {
    return pixelEmf(emfFillWith(Red) + QList{emf::rectangle(0, 0, 50, 50)});
}

QByteArray emfWith(const QByteArray& damagedRecord) {
    return pixelEmf({emf::rectangle(0, 0, 10, 10), damagedRecord});
}

QByteArray withWord(QByteArray bytes, qsizetype offset, std::uint32_t value) {
    for (int index = 0; index < 4; ++index)
        bytes[offset + index] = static_cast<char>((value >> (8 * index)) & 0xFF);
    return bytes;
}

INSTANTIATE_TEST_SUITE_P(
    Files, MetafileEmfDamagedTest,
    testing::Values(
        DamagedCase{"Empty", "en-tête tronqué", {}},
        DamagedCase{"HeaderCut", "en-tête tronqué", fixtures::truncated(drawnEmf(), 60)},
        DamagedCase{"WrongFirstRecord", "signature inconnue", withWord(drawnEmf(), 0, 2)},
        DamagedCase{"WrongSignature", "signature inconnue",
                    fixtures::flipped(drawnEmf(), 41, 0x01)},
        DamagedCase{"HeaderSizeTooSmall", "en-tête incohérent", withWord(drawnEmf(), 4, 40)},
        DamagedCase{"HeaderSizeBeyondTheFile", "en-tête incohérent",
                    withWord(drawnEmf(), 4, 100000)},
        DamagedCase{"FileSizeBeyondTheFile", "fichier tronqué", withWord(drawnEmf(), 48, 100000)},
        DamagedCase{"CutInsideARecord", "enregistrement tronqué",
                    withWord(fixtures::truncated(drawnEmf(), drawnEmf().size() - 12), 48,
                             static_cast<std::uint32_t>(drawnEmf().size() - 12))},
        DamagedCase{
            "GiantFrame", "trop grande",
            emf::file({{0, 0, 9, 9}, {0, 0, 2000000000, 2000000000}, {1000, 1000}, {250, 250}},
                      {})},
        DamagedCase{"NoUsableSize", "taille inconnue",
                    emf::file({{10, 10, 0, 0}, {0, 0, 0, 0}, {1000, 1000}, {250, 250}}, {})},
        DamagedCase{"RecordClaimingMoreThanTheFile", "enregistrement tronqué",
                    emfWith(emf::recordClaiming(4000, 43, {0, 0, 10, 10}))},
        DamagedCase{"ZeroSizeRecord", "taille d'enregistrement incorrecte",
                    emfWith(emf::recordClaiming(0, 43, {0, 0, 10, 10}))},
        DamagedCase{"RecordShorterThanItsHeader", "taille d'enregistrement incorrecte",
                    emfWith(emf::recordClaiming(4, 43, {}))},
        DamagedCase{"RecordSizeNotAMultipleOfFour", "taille d'enregistrement incorrecte",
                    emfWith(emf::recordClaiming(22, 43, {0, 0, 10, 10}))},
        DamagedCase{"PolygonCountBeyondTheRecord", "mal formé",
                    emfWith(emf::record(86, {0, 0, 0, 0, 50, 0x000A000A, 0x00140014}))},
        DamagedCase{"HugePolygonCount", "trop de points",
                    emfWith(emf::record(3, {0, 0, 0, 0, 0x7FFFFFFF, 1, 2}))},
        DamagedCase{"PolyPolygonCountsBeyondThePoints", "mal formé",
                    emfWith(emf::record(91, {0, 0, 0, 0, 2, 3, 3, 3, 1, 2, 3}))},
        DamagedCase{"PolyPolygonFigureCountBeyondTheRecord", "mal formé",
                    emfWith(emf::record(91, {0, 0, 0, 0, 0x40000000, 0, 3}))},
        DamagedCase{"TextBeyondTheRecord", "mal formé",
                    emfWith(emf::record(84, {0, 0, 0, 0, 1, 0, 0, 5, 5, 100, 76, 0, 0, 0, 0, 0, 0,
                                             0x00410041}))},
        DamagedCase{"TextOffsetInsideTheHeader", "mal formé",
                    emfWith(emf::record(84, {0, 0, 0, 0, 1, 0, 0, 5, 5, 1, 2, 0, 0, 0, 0, 0, 0,
                                             0x00410041}))},
        DamagedCase{"RectangleMissingCoordinates", "mal formé", emfWith(emf::record(43, {0, 0}))}),
    caseName<DamagedCase>);

TEST(MetafileEmfTest, EveryCutOfAFileDecodesOrIsRefused) {
    const QByteArray bytes = drawnEmf();
    for (qsizetype length = 0; length < bytes.size(); ++length) {
        // The header's file size follows the cut, so the records themselves are cut.
        QByteArray cut = fixtures::truncated(bytes, length);
        if (length >= 52)
            cut = withWord(cut, 48, static_cast<std::uint32_t>(length));
        try {
            decodeEmfFile(cut);
        } catch (const orvandel::Error&) {
        }
    }
}

} // namespace
