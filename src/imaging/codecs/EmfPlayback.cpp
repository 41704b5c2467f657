#include "EmfPlayback.h"

#include "MetafileCanvas.h"
#include "MetafileCost.h"
#include "MetafileRecord.h"

namespace orvandel::imaging {

namespace {

enum EmfRecordType : std::uint32_t {
    PolyBezier = 2,
    Polygon = 3,
    Polyline = 4,
    PolyBezierTo = 5,
    PolylineTo = 6,
    PolyPolyline = 7,
    PolyPolygon = 8,
    SetWindowExtent = 9,
    SetWindowOrigin = 10,
    SetViewportExtent = 11,
    SetViewportOrigin = 12,
    SetMapMode = 17,
    SetBackgroundMode = 18,
    SetPolyFillMode = 19,
    SetTextAlign = 22,
    SetTextColor = 24,
    SetBackgroundColor = 25,
    MoveTo = 27,
    SaveDc = 33,
    RestoreDc = 34,
    SetWorldTransform = 35,
    ModifyWorldTransform = 36,
    SelectObject = 37,
    CreatePen = 38,
    CreateBrushIndirect = 39,
    DeleteObject = 40,
    Ellipse = 42,
    Rectangle = 43,
    RoundRect = 44,
    CreatePalette = 49,
    LineTo = 54,
    BeginPath = 59,
    EndPath = 60,
    CloseFigure = 61,
    FillPath = 62,
    StrokeAndFillPath = 63,
    StrokePath = 64,
    AbortPath = 68,
    ExtCreateFontIndirect = 82,
    ExtTextOut = 84,
    PolyBezier16 = 85,
    Polygon16 = 86,
    Polyline16 = 87,
    PolyBezierTo16 = 88,
    PolylineTo16 = 89,
    PolyPolyline16 = 90,
    PolyPolygon16 = 91,
    CreateMonoBrush = 93,
    CreateDibPatternBrush = 94,
    ExtCreatePen = 95,
};

constexpr QLatin1String Emf("EMF");
// Offsets inside a record count from its start, before the type and size fields.
constexpr std::uint64_t RecordHeaderSize = 8;

constexpr std::uint32_t StockObjectFlag = 0x80000000;
constexpr std::uint32_t GeometricPen = 0x00010000;
constexpr std::uint32_t NullBrushStyle = 1;
constexpr std::uint32_t TextOpaque = 0x0002;
constexpr std::uint32_t TextWithoutRectangle = 0x0100;

// 32-bit points (POINTL) or 16-bit ones (POINTS).
enum class PointSize : std::uint64_t { Short = 4, Long = 8 };

QPointF pointAt(const RecordBytes& parameters, std::uint64_t offset) {
    return QPointF(parameters.i32(offset), parameters.i32(offset + 4));
}

QSizeF sizeAt(const RecordBytes& parameters, std::uint64_t offset) {
    return QSizeF(parameters.i32(offset), parameters.i32(offset + 4));
}

QRectF rectangleAt(const RecordBytes& parameters, std::uint64_t offset) {
    return QRectF(pointAt(parameters, offset), pointAt(parameters, offset + 8));
}

QPolygonF pointsAt(const RecordBytes& parameters, std::uint64_t offset, std::uint64_t count,
                   PointSize pointSize) {
    const auto stride = static_cast<std::uint64_t>(pointSize);
    parameters.requirePoints(offset, count, stride);
    QPolygonF points;
    points.reserve(static_cast<qsizetype>(count));
    for (std::uint64_t at = offset; at < offset + count * stride; at += stride) {
        if (pointSize == PointSize::Long)
            points.append(pointAt(parameters, at));
        else
            points.append(QPointF(parameters.i16(at), parameters.i16(at + 2)));
    }
    return points;
}

// Bounds, point count, points: the layout of Polygon, Polyline and the Bezier records.
QPolygonF polyPoints(const RecordBytes& parameters, PointSize pointSize) {
    return pointsAt(parameters, 20, parameters.u32(16), pointSize);
}

// Bounds, figure count, point count, the figures' point counts, points. Figures too short to draw
// are left out, but still charged: a record may list millions.
QList<QPolygonF> polyFigures(const RecordBytes& parameters, PointSize pointSize,
                             MetafileCanvas& canvas) {
    const std::uint64_t figureCount = parameters.u32(16);
    const std::uint64_t pointCount = parameters.u32(20);
    parameters.require(24, figureCount * 4);
    canvas.charge(figureCost(figureCount));
    const QPolygonF points = pointsAt(parameters, 24 + figureCount * 4, pointCount, pointSize);
    QList<QPolygonF> figures;
    std::uint64_t start = 0;
    for (std::uint64_t index = 0; index < figureCount; ++index) {
        const std::uint64_t length = parameters.u32(24 + index * 4);
        if (length > pointCount - start)
            refuseMetafile(Emf, QStringLiteral("enregistrement mal formé."));
        if (length >= 2)
            figures.emplace_back(
                points.mid(static_cast<qsizetype>(start), static_cast<qsizetype>(length)));
        start += length;
    }
    return figures;
}

QTransform transformAt(const RecordBytes& parameters, std::uint64_t offset) {
    return QTransform(parameters.f32(offset), parameters.f32(offset + 4),
                      parameters.f32(offset + 8), parameters.f32(offset + 12),
                      parameters.f32(offset + 16), parameters.f32(offset + 20));
}

void modifyWorldTransform(const RecordBytes& parameters, MetafileCanvas& canvas) {
    const QTransform transform = transformAt(parameters, 0);
    switch (parameters.u32(24)) {
    case 1:
        canvas.setWorldTransform(QTransform());
        break;
    case 2:
        canvas.multiplyWorldTransform(transform, TransformOrder::GivenFirst);
        break;
    case 3:
        canvas.multiplyWorldTransform(transform, TransformOrder::GivenLast);
        break;
    case 4:
        canvas.setWorldTransform(transform);
        break;
    default:
        break;
    }
}

std::optional<GraphicsObject> stockObject(std::uint32_t index) {
    const auto brush = [](QColor color, Qt::BrushStyle style = Qt::SolidPattern) {
        return MetafileBrush{style, color};
    };
    const auto pen = [](QColor color, Qt::PenStyle style = Qt::SolidLine) {
        MetafilePen stock;
        stock.style = style;
        stock.color = color;
        return stock;
    };
    switch (index & ~StockObjectFlag) {
    case 0:
    case 18: // the DC brush, white until changed
        return brush(Qt::white);
    case 1:
        return brush(QColor(0xC0, 0xC0, 0xC0));
    case 2:
        return brush(QColor(0x80, 0x80, 0x80));
    case 3:
        return brush(QColor(0x40, 0x40, 0x40));
    case 4:
        return brush(Qt::black);
    case 5:
        return brush(Qt::black, Qt::NoBrush);
    case 6:
        return pen(Qt::white);
    case 7:
    case 19: // the DC pen, black until changed
        return pen(Qt::black);
    case 8:
        return pen(Qt::black, Qt::NoPen);
    case 10:
    case 11:
    case 12:
    case 13:
    case 14:
    case 16:
    case 17:
        return MetafileFont{};
    default:
        return std::nullopt;
    }
}

void selectObject(std::uint32_t index, MetafileCanvas& canvas) {
    if ((index & StockObjectFlag) == 0)
        canvas.selectObject(index);
    else if (const std::optional<GraphicsObject> stock = stockObject(index))
        canvas.select(*stock);
}

MetafileFont fontAt(const RecordBytes& parameters, std::uint64_t offset) {
    MetafileFont font;
    font.height = parameters.i32(offset);
    font.escapementDegrees = parameters.i32(offset + 8) / 10.0;
    font.weight = parameters.i32(offset + 16);
    font.italic = parameters.u8(offset + 20) != 0;
    font.underline = parameters.u8(offset + 21) != 0;
    font.strikeOut = parameters.u8(offset + 22) != 0;
    return font;
}

MetafilePen extendedPen(const RecordBytes& parameters) {
    const std::uint32_t style = parameters.u32(20);
    // Cosmetic pens are one pixel wide whatever their stated width.
    const double width = (style & GeometricPen) ? parameters.u32(24) : 0;
    MetafilePen pen = penFromStyle(style, width, colorFromColorRef(parameters.u32(32)));
    if (parameters.u32(28) == NullBrushStyle)
        pen.style = Qt::NoPen;
    return pen;
}

void createObject(const MetafileRecord& record, MetafileCanvas& canvas) {
    const RecordBytes& parameters = record.parameters;
    const std::uint32_t index = parameters.u32(0);
    ObjectTable& objects = canvas.objects();
    switch (record.type) {
    case CreatePen:
        objects.store(index, penFromStyle(parameters.u32(4), parameters.i32(8),
                                          colorFromColorRef(parameters.u32(16))));
        break;
    case ExtCreatePen:
        objects.store(index, extendedPen(parameters));
        break;
    case CreateBrushIndirect:
        objects.store(index, brushFromStyle(parameters.u32(4), colorFromColorRef(parameters.u32(8)),
                                            parameters.u32(12)));
        break;
    case ExtCreateFontIndirect:
        objects.store(index, fontAt(parameters, 4));
        break;
    default: // palettes and pattern brushes replace what the slot held
        objects.store(index, UnsupportedObject{});
        break;
    }
}

// UTF-16 text of `length` characters, cut at the first NUL.
QString textAt(const RecordBytes& parameters, std::uint64_t offset, std::uint64_t length) {
    parameters.require(offset, length * 2);
    QString text;
    text.reserve(static_cast<qsizetype>(length));
    for (std::uint64_t index = 0; index < length; ++index) {
        const std::uint16_t unit = parameters.u16(offset + index * 2);
        if (unit == 0)
            break;
        text.append(QChar(unit));
    }
    return text;
}

void drawExtTextOut(const RecordBytes& parameters, MetafileCanvas& canvas) {
    const QPointF reference = pointAt(parameters, 28);
    const std::uint64_t length = parameters.u32(36);
    const std::uint64_t stringOffset = parameters.u32(40);
    const std::uint32_t options = parameters.u32(44);
    if (stringOffset < RecordHeaderSize)
        refuseMetafile(Emf, QStringLiteral("enregistrement mal formé."));
    std::optional<QRectF> opaqueRectangle;
    if ((options & TextOpaque) && !(options & TextWithoutRectangle))
        opaqueRectangle = rectangleAt(parameters, 48);
    canvas.drawText(reference, textAt(parameters, stringOffset - RecordHeaderSize, length),
                    opaqueRectangle);
}

void setBackgroundMode(std::uint32_t mode, MetafileCanvas& canvas) {
    if (mode == 1)
        canvas.setBackgroundMode(BackgroundMode::Transparent);
    else if (mode == 2)
        canvas.setBackgroundMode(BackgroundMode::Opaque);
}

void setPolyFillMode(std::uint32_t mode, MetafileCanvas& canvas) {
    if (mode == 1)
        canvas.setFillRule(Qt::OddEvenFill);
    else if (mode == 2)
        canvas.setFillRule(Qt::WindingFill);
}

void setMapMode(std::uint32_t mode, MetafileCanvas& canvas) {
    if (mode >= static_cast<std::uint32_t>(MapMode::Text) &&
        mode <= static_cast<std::uint32_t>(MapMode::Anisotropic))
        canvas.setMapMode(static_cast<MapMode>(mode));
}

// Records that set drawing state; false when the record is not one of them.
bool playStateRecord(const MetafileRecord& record, MetafileCanvas& canvas) {
    const RecordBytes& parameters = record.parameters;
    switch (record.type) {
    case SetWindowExtent:
        canvas.setWindowExtent(sizeAt(parameters, 0));
        return true;
    case SetWindowOrigin:
        canvas.setWindowOrigin(pointAt(parameters, 0));
        return true;
    case SetViewportExtent:
        canvas.setViewportExtent(sizeAt(parameters, 0));
        return true;
    case SetViewportOrigin:
        canvas.setViewportOrigin(pointAt(parameters, 0));
        return true;
    case SetMapMode:
        setMapMode(parameters.u32(0), canvas);
        return true;
    case SetBackgroundMode:
        setBackgroundMode(parameters.u32(0), canvas);
        return true;
    case SetPolyFillMode:
        setPolyFillMode(parameters.u32(0), canvas);
        return true;
    case SetTextAlign:
        canvas.setTextAlignment(parameters.u32(0));
        return true;
    case SetTextColor:
        canvas.setTextColor(colorFromColorRef(parameters.u32(0)));
        return true;
    case SetBackgroundColor:
        canvas.setBackgroundColor(colorFromColorRef(parameters.u32(0)));
        return true;
    case SaveDc:
        canvas.saveState();
        return true;
    case RestoreDc:
        canvas.restoreState(parameters.i32(0));
        return true;
    case SetWorldTransform:
        canvas.setWorldTransform(transformAt(parameters, 0));
        return true;
    case ModifyWorldTransform:
        modifyWorldTransform(parameters, canvas);
        return true;
    case CreatePen:
    case ExtCreatePen:
    case CreateBrushIndirect:
    case ExtCreateFontIndirect:
    case CreatePalette:
    case CreateMonoBrush:
    case CreateDibPatternBrush:
        createObject(record, canvas);
        return true;
    case SelectObject:
        selectObject(parameters.u32(0), canvas);
        return true;
    case DeleteObject:
        canvas.objects().remove(parameters.u32(0));
        return true;
    default:
        return false;
    }
}

void drawPolyFigures(const MetafileRecord& record, PointSize pointSize, MetafileCanvas& canvas) {
    QList<QPolygonF> figures = polyFigures(record.parameters, pointSize, canvas);
    if (record.type == PolyPolygon || record.type == PolyPolygon16) {
        canvas.drawPolygons(std::move(figures));
        return;
    }
    for (QPolygonF& figure : figures)
        canvas.drawPolyline(std::move(figure));
}

// Records that draw or build a path; false when the record is not one of them.
bool playDrawingRecord(const MetafileRecord& record, MetafileCanvas& canvas) {
    const RecordBytes& parameters = record.parameters;
    const PointSize pointSize = record.type >= PolyBezier16 ? PointSize::Short : PointSize::Long;
    switch (record.type) {
    case MoveTo:
        canvas.moveTo(pointAt(parameters, 0));
        return true;
    case LineTo:
        canvas.lineTo(pointAt(parameters, 0));
        return true;
    case Rectangle:
        canvas.drawRectangle(rectangleAt(parameters, 0));
        return true;
    case Ellipse:
        canvas.drawEllipse(rectangleAt(parameters, 0));
        return true;
    case RoundRect:
        canvas.drawRoundedRectangle(rectangleAt(parameters, 0), sizeAt(parameters, 16));
        return true;
    case Polygon:
    case Polygon16:
        canvas.drawPolygon(polyPoints(parameters, pointSize));
        return true;
    case Polyline:
    case Polyline16:
        canvas.drawPolyline(polyPoints(parameters, pointSize));
        return true;
    case PolylineTo:
    case PolylineTo16:
        canvas.drawPolylineTo(polyPoints(parameters, pointSize));
        return true;
    case PolyBezier:
    case PolyBezier16:
        canvas.drawBeziers(polyPoints(parameters, pointSize), BezierStart::FirstPoint);
        return true;
    case PolyBezierTo:
    case PolyBezierTo16:
        canvas.drawBeziers(polyPoints(parameters, pointSize), BezierStart::CurrentPosition);
        return true;
    case PolyPolyline:
    case PolyPolygon:
    case PolyPolyline16:
    case PolyPolygon16:
        drawPolyFigures(record, pointSize, canvas);
        return true;
    case ExtTextOut:
        drawExtTextOut(parameters, canvas);
        return true;
    case BeginPath:
        canvas.beginPath();
        return true;
    case EndPath:
        canvas.endPath();
        return true;
    case CloseFigure:
        canvas.closeFigure();
        return true;
    case FillPath:
        canvas.fillPath();
        return true;
    case StrokePath:
        canvas.strokePath();
        return true;
    case StrokeAndFillPath:
        canvas.strokeAndFillPath();
        return true;
    case AbortPath:
        canvas.abortPath();
        return true;
    default:
        return false;
    }
}

} // namespace

void playEmf(RecordRange records, MetafileCanvas& canvas) {
    RecordCursor cursor(records, MetafileFormat::Emf);
    while (const std::optional<MetafileRecord> record = cursor.next()) {
        // Anything else is not drawn and is skipped by its size.
        if (!playStateRecord(*record, canvas))
            playDrawingRecord(*record, canvas);
    }
}

} // namespace orvandel::imaging
