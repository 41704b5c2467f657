#include "MetafileFixtures.h"

#include <QtEndian>

namespace {

void append16(QByteArray& bytes, int value) {
    const auto word = static_cast<std::uint16_t>(value);
    bytes.append(static_cast<char>(word & 0xFF));
    bytes.append(static_cast<char>(word >> 8));
}

void append32(QByteArray& bytes, std::uint32_t value) {
    append16(bytes, static_cast<int>(value & 0xFFFF));
    append16(bytes, static_cast<int>(value >> 16));
}

std::uint32_t colorRef(QRgb color) {
    return static_cast<std::uint32_t>(qRed(color)) |
           (static_cast<std::uint32_t>(qGreen(color)) << 8) |
           (static_cast<std::uint32_t>(qBlue(color)) << 16);
}

void put32(QByteArray& bytes, qsizetype offset, std::uint32_t value) {
    qToLittleEndian(value, bytes.data() + offset);
}

} // namespace

namespace fixtures::wmf {

namespace {

QList<int> colorWords(QRgb color) {
    const std::uint32_t value = colorRef(color);
    return {static_cast<int>(value & 0xFFFF), static_cast<int>(value >> 16)};
}

// Text bytes padded to whole words, as the records store them.
QList<int> textWords(const QByteArray& text) {
    QList<int> words;
    for (qsizetype index = 0; index < text.size(); index += 2) {
        const int low = static_cast<unsigned char>(text[index]);
        const int high = index + 1 < text.size() ? static_cast<unsigned char>(text[index + 1]) : 0;
        words.append(low | (high << 8));
    }
    return words;
}

QList<int> pointWords(const QList<QPoint>& points) {
    QList<int> words;
    for (const QPoint& point : points)
        words << point.x() << point.y();
    return words;
}

QByteArray header(std::uint32_t totalWords) {
    QByteArray bytes;
    append16(bytes, 1);      // in memory
    append16(bytes, 9);      // header words
    append16(bytes, 0x0300); // version
    append32(bytes, totalWords);
    append16(bytes, 16); // objects
    append32(bytes, totalWords);
    append16(bytes, 0);
    return bytes;
}

QByteArray withHeaderAndEnd(const QList<QByteArray>& records) {
    QByteArray body;
    for (const QByteArray& each : records)
        body += each;
    body += record(0x0000, {});
    return header(static_cast<std::uint32_t>((18 + body.size()) / 2)) + body;
}

} // namespace

QByteArray record(std::uint16_t function, const QList<int>& words) {
    return recordClaiming(static_cast<std::uint32_t>(3 + words.size()), function, words);
}

QByteArray recordClaiming(std::uint32_t sizeInWords, std::uint16_t function,
                          const QList<int>& words) {
    QByteArray bytes;
    append32(bytes, sizeInWords);
    append16(bytes, function);
    for (int word : words)
        append16(bytes, word);
    return bytes;
}

QByteArray setWindowOrigin(int x, int y) {
    return record(0x020B, {y, x});
}
QByteArray setWindowExtent(int width, int height) {
    return record(0x020C, {height, width});
}
QByteArray setBackgroundColor(QRgb color) {
    return record(0x0201, colorWords(color));
}
QByteArray setBackgroundMode(int mode) {
    return record(0x0102, {mode, 0});
}
QByteArray setTextColor(QRgb color) {
    return record(0x0209, colorWords(color));
}
QByteArray setPolyFillMode(int mode) {
    return record(0x0106, {mode, 0});
}
QByteArray saveDc() {
    return record(0x001E, {});
}
QByteArray restoreDc(int which) {
    return record(0x0127, {which});
}

QByteArray createPen(int style, int width, QRgb color) {
    return record(0x02FA, QList<int>{style, width, 0} + colorWords(color));
}

QByteArray createBrush(int style, QRgb color, int hatch) {
    return record(0x02FC, QList<int>{style} + colorWords(color) + QList<int>{hatch});
}

QByteArray createFont(int height, int weight) {
    QByteArray face("Sans");
    face.resize(32, '\0');
    return record(0x02FB, QList<int>{height, 0, 0, 0, weight, 0, 0, 0, 0} + textWords(face));
}

QByteArray selectObject(int index) {
    return record(0x012D, {index});
}
QByteArray deleteObject(int index) {
    return record(0x01F0, {index});
}
QByteArray moveTo(int x, int y) {
    return record(0x0214, {y, x});
}
QByteArray lineTo(int x, int y) {
    return record(0x0213, {y, x});
}

QByteArray rectangle(int left, int top, int right, int bottom) {
    return record(0x041B, {bottom, right, top, left});
}

QByteArray roundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight) {
    return record(0x061C, {cornerHeight, cornerWidth, bottom, right, top, left});
}

QByteArray ellipse(int left, int top, int right, int bottom) {
    return record(0x0418, {bottom, right, top, left});
}

QByteArray polygon(const QList<QPoint>& points) {
    return record(0x0324, QList<int>{static_cast<int>(points.size())} + pointWords(points));
}

QByteArray polyline(const QList<QPoint>& points) {
    return record(0x0325, QList<int>{static_cast<int>(points.size())} + pointWords(points));
}

QByteArray polyPolygon(const QList<QList<QPoint>>& polygons) {
    QList<int> words{static_cast<int>(polygons.size())};
    for (const QList<QPoint>& points : polygons)
        words.append(static_cast<int>(points.size()));
    for (const QList<QPoint>& points : polygons)
        words += pointWords(points);
    return record(0x0538, words);
}

QByteArray textOut(int x, int y, const QByteArray& text) {
    return record(0x0521,
                  QList<int>{static_cast<int>(text.size())} + textWords(text) + QList<int>{y, x});
}

QByteArray extTextOutOpaque(int x, int y, const QByteArray& text, int left, int top, int right,
                            int bottom) {
    const QList<int> words{y, x, static_cast<int>(text.size()), 0x0002, left, top, right, bottom};
    return record(0x0A32, words + textWords(text));
}

QByteArray placeableFile(const Box& box, const QList<QByteArray>& records) {
    QByteArray placeable;
    append32(placeable, 0x9AC6CDD7);
    append16(placeable, 0);
    append16(placeable, box.left);
    append16(placeable, box.top);
    append16(placeable, box.right);
    append16(placeable, box.bottom);
    append16(placeable, box.unitsPerInch);
    append32(placeable, 0);
    int checksum = 0;
    for (qsizetype offset = 0; offset < placeable.size(); offset += 2)
        checksum ^= qFromLittleEndian<std::uint16_t>(placeable.constData() + offset);
    append16(placeable, checksum);
    return placeable + withHeaderAndEnd(records);
}

QByteArray plainFile(const QList<QByteArray>& records) {
    return withHeaderAndEnd(records);
}

} // namespace fixtures::wmf

namespace fixtures::emf {

namespace {

QList<std::int32_t> pointValues(const QList<QPoint>& points) {
    QList<std::int32_t> values;
    for (const QPoint& point : points)
        values << point.x() << point.y();
    return values;
}

// 16-bit points packed two to a 32-bit value.
QList<std::int32_t> shortPointValues(const QList<QPoint>& points) {
    QList<std::int32_t> values;
    for (const QPoint& point : points)
        values << static_cast<std::int32_t>((static_cast<std::uint32_t>(point.y()) << 16) |
                                            (static_cast<std::uint32_t>(point.x()) & 0xFFFF));
    return values;
}

const QList<std::int32_t> noBounds{0, 0, 0, 0};

QByteArray polyRecord(std::uint32_t type, const QList<QPoint>& points, bool shortPoints) {
    return record(type, noBounds + QList<std::int32_t>{static_cast<std::int32_t>(points.size())} +
                            (shortPoints ? shortPointValues(points) : pointValues(points)));
}

std::int32_t colorValue(QRgb color) {
    return static_cast<std::int32_t>(colorRef(color));
}

} // namespace

QByteArray record(std::uint32_t type, const QList<std::int32_t>& values) {
    return recordClaiming(static_cast<std::uint32_t>(8 + values.size() * 4), type, values);
}

QByteArray recordClaiming(std::uint32_t size, std::uint32_t type,
                          const QList<std::int32_t>& values) {
    QByteArray bytes;
    append32(bytes, type);
    append32(bytes, size);
    for (std::int32_t value : values)
        append32(bytes, static_cast<std::uint32_t>(value));
    return bytes;
}

QByteArray setMapMode(int mode) {
    return record(17, {mode});
}
QByteArray setWindowExtent(int width, int height) {
    return record(9, {width, height});
}
QByteArray setWindowOrigin(int x, int y) {
    return record(10, {x, y});
}
QByteArray setViewportExtent(int width, int height) {
    return record(11, {width, height});
}
QByteArray setViewportOrigin(int x, int y) {
    return record(12, {x, y});
}
QByteArray setPolyFillMode(int mode) {
    return record(19, {mode});
}
QByteArray setBackgroundColor(QRgb color) {
    return record(25, {colorValue(color)});
}
QByteArray setTextColor(QRgb color) {
    return record(24, {colorValue(color)});
}
QByteArray saveDc() {
    return record(33, {});
}
QByteArray restoreDc(int which) {
    return record(34, {which});
}

QByteArray createPen(std::uint32_t index, int style, int width, QRgb color) {
    return record(38, {static_cast<std::int32_t>(index), style, width, 0, colorValue(color)});
}

QByteArray extCreatePen(std::uint32_t index, int width, QRgb color) {
    // Geometric solid pen, solid brush, no style entries nor bitmap.
    return record(95, {static_cast<std::int32_t>(index), 0, 0, 0, 0, 0x00010000, width, 0,
                       colorValue(color), 0, 0});
}

QByteArray createBrush(std::uint32_t index, int style, QRgb color, int hatch) {
    return record(39, {static_cast<std::int32_t>(index), style, colorValue(color), hatch});
}

QByteArray createFont(std::uint32_t index, int height) {
    // LOGFONTW: height, width, escapement, orientation, weight, flag bytes, 32 UTF-16 face units.
    QList<std::int32_t> values{static_cast<std::int32_t>(index), height, 0, 0, 0, 400, 0, 0};
    values.resize(values.size() + 16);
    return record(82, values);
}

QByteArray selectObject(std::uint32_t index) {
    return record(37, {static_cast<std::int32_t>(index)});
}

QByteArray deleteObject(std::uint32_t index) {
    return record(40, {static_cast<std::int32_t>(index)});
}

QByteArray moveTo(int x, int y) {
    return record(27, {x, y});
}
QByteArray lineTo(int x, int y) {
    return record(54, {x, y});
}
QByteArray rectangle(int left, int top, int right, int bottom) {
    return record(43, {left, top, right, bottom});
}

QByteArray roundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight) {
    return record(44, {left, top, right, bottom, cornerWidth, cornerHeight});
}

QByteArray ellipse(int left, int top, int right, int bottom) {
    return record(42, {left, top, right, bottom});
}

QByteArray polygon(const QList<QPoint>& points) {
    return polyRecord(3, points, false);
}
QByteArray polygon16(const QList<QPoint>& points) {
    return polyRecord(86, points, true);
}
QByteArray polyline16(const QList<QPoint>& points) {
    return polyRecord(87, points, true);
}
QByteArray polyBezier16(const QList<QPoint>& points) {
    return polyRecord(85, points, true);
}

QByteArray polyPolygon16(const QList<QList<QPoint>>& polygons) {
    QList<std::int32_t> counts;
    QList<QPoint> points;
    for (const QList<QPoint>& polygon : polygons) {
        counts.append(static_cast<std::int32_t>(polygon.size()));
        points += polygon;
    }
    return record(91, noBounds +
                          QList<std::int32_t>{static_cast<std::int32_t>(polygons.size()),
                                              static_cast<std::int32_t>(points.size())} +
                          counts + shortPointValues(points));
}

QByteArray beginPath() {
    return record(59, {});
}
QByteArray endPath() {
    return record(60, {});
}
QByteArray closeFigure() {
    return record(61, {});
}
QByteArray fillPath() {
    return record(62, noBounds);
}

QByteArray extTextOut(int x, int y, const QString& text) {
    // Bounds, graphics mode, scales, then the text block: reference, length, string offset,
    // options, rectangle, spacing offset; the string follows at byte 76.
    const std::int32_t stringOffset = 76;
    QList<std::int32_t> values = noBounds + QList<std::int32_t>{1, 0, 0};
    values += {x, y, static_cast<std::int32_t>(text.size()), stringOffset, 0, 0, 0, 0, 0, 0};
    for (qsizetype index = 0; index < text.size(); index += 2) {
        const std::uint32_t low = text[index].unicode();
        const std::uint32_t high = index + 1 < text.size() ? text[index + 1].unicode() : 0;
        values.append(static_cast<std::int32_t>(low | (high << 16)));
    }
    return record(84, values);
}

Header headerForPixels(QSize size) {
    // 1000 × 1000 pixels on 250 × 250 mm: one pixel is 25 hundredths of a millimetre.
    return {{0, 0, size.width() - 1, size.height() - 1},
            {0, 0, size.width() * 25, size.height() * 25},
            QSize(1000, 1000),
            QSize(250, 250)};
}

QByteArray file(const Header& header, const QList<QByteArray>& records) {
    QByteArray bytes = recordClaiming(88, 1,
                                      {header.bounds.left,
                                       header.bounds.top,
                                       header.bounds.right,
                                       header.bounds.bottom,
                                       header.frame.left,
                                       header.frame.top,
                                       header.frame.right,
                                       header.frame.bottom,
                                       0x464D4520,
                                       0x10000,
                                       0,
                                       0,
                                       16,
                                       0,
                                       0,
                                       0,
                                       header.devicePixels.width(),
                                       header.devicePixels.height(),
                                       header.deviceMillimetres.width(),
                                       header.deviceMillimetres.height()});
    for (const QByteArray& each : records)
        bytes += each;
    bytes += record(14, {0, 16, 20});
    put32(bytes, 48, static_cast<std::uint32_t>(bytes.size()));
    put32(bytes, 52, static_cast<std::uint32_t>(records.size() + 2));
    return bytes;
}

} // namespace fixtures::emf
