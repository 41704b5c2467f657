#include "WmfPlayback.h"

#include "MetafileCanvas.h"
#include "MetafileCost.h"
#include "MetafileRecord.h"

#include <algorithm>

namespace orvandel::imaging {

namespace {

enum WmfFunction : std::uint32_t {
    SaveDc = 0x001E,
    CreatePalette = 0x00F7,
    SetBackgroundMode = 0x0102,
    SetPolyFillMode = 0x0106,
    RestoreDc = 0x0127,
    SelectObject = 0x012D,
    SetTextAlign = 0x012E,
    DibCreatePatternBrush = 0x0142,
    DeleteObject = 0x01F0,
    CreatePatternBrush = 0x01F9,
    SetBackgroundColor = 0x0201,
    SetTextColor = 0x0209,
    SetWindowOrigin = 0x020B,
    SetWindowExtent = 0x020C,
    LineTo = 0x0213,
    MoveTo = 0x0214,
    CreatePenIndirect = 0x02FA,
    CreateFontIndirect = 0x02FB,
    CreateBrushIndirect = 0x02FC,
    Polygon = 0x0324,
    Polyline = 0x0325,
    Ellipse = 0x0418,
    Rectangle = 0x041B,
    TextOut = 0x0521,
    PolyPolygon = 0x0538,
    RoundRect = 0x061C,
    CreateRegion = 0x06FF,
    ExtTextOut = 0x0A32,
};

constexpr QLatin1String Wmf("WMF");

// Text options of ExtTextOut.
constexpr std::uint16_t TextOpaque = 0x0002;
constexpr std::uint16_t TextClipped = 0x0004;

// WMF stores coordinate pairs y first.
QPointF pointAt(const RecordBytes& parameters, std::uint64_t offset) {
    return QPointF(parameters.i16(offset + 2), parameters.i16(offset));
}

// Bottom, right, top, left: the order of Rectangle and Ellipse.
QRectF reversedRectangleAt(const RecordBytes& parameters, std::uint64_t offset) {
    return QRectF(QPointF(parameters.i16(offset + 6), parameters.i16(offset + 4)),
                  QPointF(parameters.i16(offset + 2), parameters.i16(offset)));
}

// `count` x, y pairs from `offset`.
QPolygonF pointsAt(const RecordBytes& parameters, std::uint64_t offset, std::uint64_t count) {
    parameters.requirePoints(offset, count, 4);
    QPolygonF points;
    points.reserve(static_cast<qsizetype>(count));
    for (std::uint64_t index = 0; index < count; ++index)
        points.append(
            QPointF(parameters.i16(offset + index * 4), parameters.i16(offset + index * 4 + 2)));
    return points;
}

std::uint64_t countAt(const RecordBytes& parameters, std::uint64_t offset) {
    const std::int16_t count = parameters.i16(offset);
    if (count < 0)
        refuseMetafile(Wmf, QStringLiteral("enregistrement mal formé."));
    return static_cast<std::uint64_t>(count);
}

QList<QPolygonF> polyPolygon(const RecordBytes& parameters, MetafileCanvas& canvas) {
    const std::uint64_t polygonCount = parameters.u16(0);
    canvas.charge(figureCost(polygonCount));
    std::uint64_t pointCount = 0;
    for (std::uint64_t index = 0; index < polygonCount; ++index)
        pointCount += parameters.u16(2 + index * 2);
    const QPolygonF points = pointsAt(parameters, 2 + polygonCount * 2, pointCount);
    QList<QPolygonF> polygons;
    qsizetype start = 0;
    for (std::uint64_t index = 0; index < polygonCount; ++index) {
        const qsizetype length = parameters.u16(2 + index * 2);
        if (length >= 2)
            polygons.emplace_back(points.mid(start, length));
        start += length;
    }
    return polygons;
}

// Text of `length` single-byte characters, cut at the first NUL.
QString textAt(const RecordBytes& parameters, std::uint64_t offset, std::uint64_t length) {
    const ByteView bytes = parameters.bytes(offset, length);
    const auto end = std::find(bytes.begin(), bytes.end(), std::uint8_t{0});
    return QString::fromLatin1(reinterpret_cast<const char*>(bytes.data()),
                               static_cast<qsizetype>(end - bytes.begin()));
}

std::uint64_t paddedToWords(std::uint64_t length) {
    return (length + 1) & ~std::uint64_t{1};
}

void drawTextOut(const RecordBytes& parameters, MetafileCanvas& canvas) {
    const std::uint64_t length = countAt(parameters, 0);
    const QString text = textAt(parameters, 2, length);
    canvas.drawText(pointAt(parameters, 2 + paddedToWords(length)), text, std::nullopt);
}

void drawExtTextOut(const RecordBytes& parameters, MetafileCanvas& canvas) {
    const QPointF reference = pointAt(parameters, 0);
    const std::uint64_t length = countAt(parameters, 4);
    const std::uint16_t options = parameters.u16(6);
    std::uint64_t offset = 8;
    std::optional<QRectF> opaqueRectangle;
    if (options & (TextOpaque | TextClipped)) {
        const QRectF rectangle(QPointF(parameters.i16(8), parameters.i16(10)),
                               QPointF(parameters.i16(12), parameters.i16(14)));
        if (options & TextOpaque)
            opaqueRectangle = rectangle;
        offset += 8;
    }
    canvas.drawText(reference, textAt(parameters, offset, length), opaqueRectangle);
}

MetafileFont fontAt(const RecordBytes& parameters) {
    MetafileFont font;
    font.height = parameters.i16(0);
    font.escapementDegrees = parameters.i16(4) / 10.0;
    font.weight = parameters.i16(8);
    font.italic = parameters.u8(10) != 0;
    font.underline = parameters.u8(11) != 0;
    font.strikeOut = parameters.u8(12) != 0;
    return font;
}

void setBackgroundMode(std::uint16_t mode, MetafileCanvas& canvas) {
    if (mode == 1)
        canvas.setBackgroundMode(BackgroundMode::Transparent);
    else if (mode == 2)
        canvas.setBackgroundMode(BackgroundMode::Opaque);
}

void setPolyFillMode(std::uint16_t mode, MetafileCanvas& canvas) {
    if (mode == 1)
        canvas.setFillRule(Qt::OddEvenFill);
    else if (mode == 2)
        canvas.setFillRule(Qt::WindingFill);
}

void createObject(const MetafileRecord& record, MetafileCanvas& canvas) {
    const RecordBytes& parameters = record.parameters;
    ObjectTable& objects = canvas.objects();
    switch (record.type) {
    case CreatePenIndirect:
        objects.addInLowestFreeSlot(penFromStyle(parameters.u16(0), parameters.i16(2),
                                                 colorFromColorRef(parameters.u32(6))));
        break;
    case CreateBrushIndirect:
        objects.addInLowestFreeSlot(brushFromStyle(
            parameters.u16(0), colorFromColorRef(parameters.u32(2)), parameters.u16(6)));
        break;
    case CreateFontIndirect:
        objects.addInLowestFreeSlot(fontAt(parameters));
        break;
    default: // palettes, regions and pattern brushes still take a slot
        objects.addInLowestFreeSlot(UnsupportedObject{});
        break;
    }
}

void play(const MetafileRecord& record, MetafileCanvas& canvas) {
    const RecordBytes& parameters = record.parameters;
    switch (record.type) {
    case SetBackgroundColor:
        canvas.setBackgroundColor(colorFromColorRef(parameters.u32(0)));
        break;
    case SetBackgroundMode:
        setBackgroundMode(parameters.u16(0), canvas);
        break;
    case SetTextColor:
        canvas.setTextColor(colorFromColorRef(parameters.u32(0)));
        break;
    case SetPolyFillMode:
        setPolyFillMode(parameters.u16(0), canvas);
        break;
    case SetTextAlign:
        canvas.setTextAlignment(parameters.u16(0));
        break;
    case SetWindowOrigin:
        canvas.setWindowOrigin(pointAt(parameters, 0));
        break;
    case SetWindowExtent: {
        const QPointF extent = pointAt(parameters, 0);
        canvas.setWindowExtent(QSizeF(extent.x(), extent.y()));
        break;
    }
    case SaveDc:
        canvas.saveState();
        break;
    case RestoreDc:
        canvas.restoreState(parameters.i16(0));
        break;
    case CreatePenIndirect:
    case CreateBrushIndirect:
    case CreateFontIndirect:
    case CreatePalette:
    case CreatePatternBrush:
    case DibCreatePatternBrush:
    case CreateRegion:
        createObject(record, canvas);
        break;
    case SelectObject:
        canvas.selectObject(parameters.u16(0));
        break;
    case DeleteObject:
        canvas.objects().remove(parameters.u16(0));
        break;
    case MoveTo:
        canvas.moveTo(pointAt(parameters, 0));
        break;
    case LineTo:
        canvas.lineTo(pointAt(parameters, 0));
        break;
    case Rectangle:
        canvas.drawRectangle(reversedRectangleAt(parameters, 0));
        break;
    case Ellipse:
        canvas.drawEllipse(reversedRectangleAt(parameters, 0));
        break;
    case RoundRect:
        canvas.drawRoundedRectangle(reversedRectangleAt(parameters, 4),
                                    QSizeF(parameters.i16(2), parameters.i16(0)));
        break;
    case Polygon:
        canvas.drawPolygon(pointsAt(parameters, 2, countAt(parameters, 0)));
        break;
    case Polyline:
        canvas.drawPolyline(pointsAt(parameters, 2, countAt(parameters, 0)));
        break;
    case PolyPolygon:
        canvas.drawPolygons(polyPolygon(parameters, canvas));
        break;
    case TextOut:
        drawTextOut(parameters, canvas);
        break;
    case ExtTextOut:
        drawExtTextOut(parameters, canvas);
        break;
    default: // not drawn: skipped by its size
        break;
    }
}

} // namespace

std::optional<QSize> findWmfWindowExtent(RecordRange records) {
    RecordCursor cursor(records, MetafileFormat::Wmf);
    while (const std::optional<MetafileRecord> record = cursor.next()) {
        if (record->type == SetWindowExtent) {
            const QPointF extent = pointAt(record->parameters, 0);
            return QSize(static_cast<int>(extent.x()), static_cast<int>(extent.y()));
        }
    }
    return std::nullopt;
}

void playWmf(RecordRange records, MetafileCanvas& canvas) {
    RecordCursor cursor(records, MetafileFormat::Wmf);
    while (const std::optional<MetafileRecord> record = cursor.next())
        play(*record, canvas);
}

} // namespace orvandel::imaging
