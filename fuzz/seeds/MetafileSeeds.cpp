#include "MetafileFixtures.h"
#include "Seeds.h"

#include <bit>

namespace seeds {

namespace {

namespace wmf = fixtures::wmf;
namespace emf = fixtures::emf;

const QList<QPoint> triangle{{5, 40}, {30, 40}, {18, 5}};
const QList<QPoint> square{{35, 5}, {60, 5}, {60, 30}, {35, 30}};
const QList<QPoint> hole{{42, 12}, {52, 12}, {52, 22}, {42, 22}};

// Every record kind the reader draws, in logical units of 0.1 pixel.
QList<QByteArray> wmfDrawing() {
    return {wmf::setWindowOrigin(0, 0),
            wmf::setWindowExtent(640, 480),
            wmf::setBackgroundColor(qRgb(250, 240, 200)),
            wmf::setBackgroundMode(2),
            wmf::setTextColor(qRgb(0, 0, 160)),
            wmf::setPolyFillMode(2),
            wmf::createPen(1, 10, qRgb(200, 0, 0)),
            wmf::createBrush(0, qRgb(0, 160, 0)),
            wmf::createBrush(2, qRgb(0, 0, 200), 3),
            wmf::createFont(-60, 700),
            wmf::selectObject(0),
            wmf::selectObject(1),
            wmf::selectObject(3),
            wmf::rectangle(20, 20, 200, 150),
            wmf::ellipse(220, 20, 400, 150),
            wmf::saveDc(),
            wmf::selectObject(2),
            wmf::roundRect(420, 20, 620, 150, 40, 40),
            wmf::restoreDc(-1),
            wmf::polygon({{50, 400}, {300, 400}, {180, 200}}),
            wmf::polyPolygon({{{350, 200}, {600, 200}, {600, 450}, {350, 450}},
                              {{420, 270}, {520, 270}, {520, 370}, {420, 370}}}),
            wmf::moveTo(10, 470),
            wmf::lineTo(630, 470),
            wmf::polyline({{10, 180}, {100, 250}, {200, 180}}),
            wmf::deleteObject(2),
            wmf::createPen(0, 0, qRgb(0, 0, 0)),
            wmf::selectObject(2),
            wmf::textOut(30, 160, "Texte"),
            wmf::extTextOutOpaque(300, 160, "Opaque", 300, 160, 500, 200),
            wmf::record(0x0104, {13, 0})}; // a record that is not drawn
}

std::int32_t asValue(float value) {
    return std::bit_cast<std::int32_t>(value);
}

QList<QByteArray> emfDrawing() {
    return {emf::setMapMode(8),
            emf::setWindowExtent(640, 480),
            emf::setViewportExtent(64, 48),
            emf::setPolyFillMode(1),
            emf::setBackgroundColor(qRgb(250, 240, 200)),
            emf::setTextColor(qRgb(0, 0, 160)),
            emf::createPen(1, 2, 10, qRgb(200, 0, 0)),
            emf::extCreatePen(2, 15, qRgb(0, 100, 100)),
            emf::createBrush(3, 0, qRgb(0, 160, 0)),
            emf::createBrush(4, 2, qRgb(0, 0, 200), 5),
            emf::createFont(5, -60),
            emf::selectObject(1),
            emf::selectObject(3),
            emf::selectObject(5),
            emf::rectangle(20, 20, 200, 150),
            emf::ellipse(220, 20, 400, 150),
            emf::saveDc(),
            emf::selectObject(4),
            emf::selectObject(emf::NullPen),
            emf::roundRect(420, 20, 620, 150, 40, 40),
            emf::restoreDc(-1),
            emf::polygon({{50, 400}, {300, 400}, {180, 200}}),
            emf::polygon16(triangle),
            emf::polyPolygon16({square, hole}),
            emf::polyline16({{10, 180}, {100, 250}, {200, 180}}),
            emf::selectObject(2),
            emf::polyBezier16({{10, 300}, {100, 200}, {200, 400}, {300, 300}}),
            emf::moveTo(10, 470),
            emf::lineTo(630, 470),
            emf::beginPath(),
            emf::moveTo(400, 300),
            emf::lineTo(600, 300),
            emf::lineTo(500, 450),
            emf::closeFigure(),
            emf::endPath(),
            emf::fillPath(),
            emf::deleteObject(4),
            emf::selectObject(emf::BlackBrush),
            emf::extTextOut(30, 160, QStringLiteral("Texte")),
            emf::record(35, {asValue(1), asValue(0.2f), asValue(0), asValue(1), asValue(5),
                             asValue(5)}), // world transform
            emf::rectangle(0, 0, 50, 50),
            emf::record(70, {4, 0x2B464D45}), // a comment, not drawn
            emf::setMapMode(3),
            emf::setViewportOrigin(0, 48),
            emf::ellipse(100, 100, 600, 600)};
}

// A wave of many points: a drawing of several kilobytes.
QList<QPoint> wave() {
    QList<QPoint> points;
    for (int index = 0; index < 1000; ++index)
        points.append(QPoint(index * 640 / 1000, 240 + ((index * 37) % 200) - 100));
    return points;
}

} // namespace

QList<QByteArray> wmf() {
    return {
        wmf::placeableFile({0, 0, 640, 480, 960}, wmfDrawing()),
        wmf::placeableFile({0, 0, 640, 480, 960}, wmfDrawing() + QList{wmf::polyline(wave())}),
        wmf::plainFile(QList{wmf::setWindowExtent(64, 48)} + wmfDrawing()),
        wmf::placeableFile({0, 480, 640, 0, 960}, {wmf::createBrush(0, qRgb(255, 0, 0)),
                                                   wmf::selectObject(0), wmf::polygon(triangle)})};
}

QList<QByteArray> emf() {
    return {emf::file(emf::headerForPixels(QSize(64, 48)), emfDrawing()),
            emf::file({{0, 0, 31, 23}, {0, 0, 0, 0}, QSize(1000, 1000), QSize(250, 250)},
                      {emf::selectObject(emf::BlackBrush), emf::polygon16(triangle)})};
}

} // namespace seeds
