#include "MetafileCanvas.h"

#include "MetafileClipping.h"
#include "MetafileCost.h"
#include "common/Error.h"
#include "common/Messages.h"

#include <QFontMetricsF>

#include <algorithm>
#include <cmath>

namespace orvandel::imaging {

namespace {

// Beyond any 32-bit coordinate at any sensible scale, and small enough to keep the clipping
// arithmetic exact to far below a pixel.
constexpr double GeometryLimit = 1e12;
// Qt lays text out in 26.6 fixed point.
constexpr double TextAnchorLimit = 1 << 22;
constexpr std::size_t MaxSavedStates = 1024;
constexpr double DefaultFontPixels = 12;
constexpr double MaxFontPixels = 4096;
// A path the records build may hold this many points; far beyond any real drawing.
constexpr int MaxPathElements = 1 << 21;
// Curves are cut into at most this many segments, fewer when small.
constexpr int MaxCurveSegments = 64;
// Far more than any real shape; bounds the memory one record's curves can ask for.
constexpr qsizetype MaxCurvePoints = 1 << 20;

// Text alignment bits of SetTextAlign.
constexpr std::uint32_t AlignUpdatesPosition = 0x01;
constexpr std::uint32_t AlignHorizontalMask = 0x06;
constexpr std::uint32_t AlignRight = 0x02;
constexpr std::uint32_t AlignCenter = 0x06;
constexpr std::uint32_t AlignVerticalMask = 0x18;
constexpr std::uint32_t AlignBottom = 0x08;
constexpr std::uint32_t AlignBaseline = 0x18;

double clampCoordinate(double value, double limit = GeometryLimit) {
    if (std::isnan(value))
        return 0;
    return std::clamp(value, -limit, limit);
}

// A world transform beyond this scale or shift is nonsense; refusing it keeps every product of
// transforms finite.
constexpr double WorldTransformLimit = 1e9;

bool isReasonable(const QTransform& transform) {
    const double values[] = {transform.m11(), transform.m12(), transform.m21(),
                             transform.m22(), transform.dx(),  transform.dy()};
    return std::all_of(std::begin(values), std::end(values), [](double value) {
        return std::isfinite(value) && std::abs(value) <= WorldTransformLimit;
    });
}

double millimetresPerUnit(MapMode mode) {
    switch (mode) {
    case MapMode::LowMetric:
        return 0.1;
    case MapMode::HighMetric:
        return 0.01;
    case MapMode::LowEnglish:
        return 0.254;
    case MapMode::HighEnglish:
        return 0.0254;
    case MapMode::Twips:
        return 25.4 / 1440;
    default:
        return 1;
    }
}

} // namespace

QColor colorFromColorRef(std::uint32_t value) {
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

MetafilePen penFromStyle(std::uint32_t style, double width, QColor color) {
    MetafilePen pen;
    pen.width = std::abs(width);
    pen.color = color;
    switch (style & 0x0F) {
    case 1:
        pen.style = Qt::DashLine;
        break;
    case 2:
    case 8: // alternate: every other pixel
        pen.style = Qt::DotLine;
        break;
    case 3:
        pen.style = Qt::DashDotLine;
        break;
    case 4:
        pen.style = Qt::DashDotDotLine;
        break;
    case 5:
        pen.style = Qt::NoPen;
        break;
    default: // solid, inside frame, user styles
        pen.style = Qt::SolidLine;
        break;
    }
    switch (style & 0x0F00) {
    case 0x0100:
        pen.cap = Qt::SquareCap;
        break;
    case 0x0200:
        pen.cap = Qt::FlatCap;
        break;
    default:
        pen.cap = Qt::RoundCap;
        break;
    }
    switch (style & 0xF000) {
    case 0x1000:
        pen.join = Qt::BevelJoin;
        break;
    case 0x2000:
        pen.join = Qt::MiterJoin;
        break;
    default:
        pen.join = Qt::RoundJoin;
        break;
    }
    return pen;
}

MetafileBrush brushFromStyle(std::uint32_t style, QColor color, std::uint32_t hatch) {
    constexpr Qt::BrushStyle hatches[] = {Qt::HorPattern,   Qt::VerPattern,   Qt::FDiagPattern,
                                          Qt::BDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern};
    MetafileBrush brush;
    brush.color = color;
    if (style == 1)
        brush.style = Qt::NoBrush;
    else if (style == 2 && hatch < std::size(hatches))
        brush.style = hatches[hatch];
    else // solid; patterns are not drawn, their colour stands in
        brush.style = Qt::SolidPattern;
    return brush;
}

void ObjectTable::addInLowestFreeSlot(GraphicsObject object) {
    if (!freeSlots.empty()) {
        const std::uint32_t index = *freeSlots.begin();
        freeSlots.erase(freeSlots.begin());
        entries[index] = std::move(object);
    } else if (entries.size() < Capacity) {
        entries.emplace_back(std::move(object));
    }
}

void ObjectTable::store(std::uint32_t index, GraphicsObject object) {
    if (index >= Capacity)
        return;
    while (entries.size() <= index) {
        freeSlots.insert(static_cast<std::uint32_t>(entries.size()));
        entries.emplace_back();
    }
    freeSlots.erase(index);
    entries[index] = std::move(object);
}

const GraphicsObject* ObjectTable::find(std::uint32_t index) const {
    if (index >= entries.size() || !entries[index])
        return nullptr;
    return &*entries[index];
}

void ObjectTable::remove(std::uint32_t index) {
    if (index >= entries.size() || !entries[index])
        return;
    entries[index].reset();
    freeSlots.insert(index);
}

MetafileCanvas::MetafileCanvas(const CanvasGeometry& pictureGeometry)
    : geometry(pictureGeometry)
    , picture(pictureGeometry.pictureSize, QImage::Format_RGB32) {
    if (picture.isNull())
        throw Error(
            formatMessage(QStringLiteral("Mémoire insuffisante pour une image de %d × %d pixels."),
                          {geometry.pictureSize.width(), geometry.pictureSize.height()}));
    picture.fill(Qt::white);
    painter.begin(&picture);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    if (geometry.frame.isEmpty())
        geometry.frame = QRectF(QPointF(), QSizeF(picture.size()));
    const QRectF& frame = geometry.frame;
    deviceToPicture =
        QTransform::fromTranslate(-frame.x(), -frame.y()) *
        QTransform::fromScale(picture.width() / frame.width(), picture.height() / frame.height());
    state.mapMode = geometry.mapMode;
    updateTransform();
    paintBudget = geometry.paintBudget.value_or(paintBudgetFor(picture.size()));
}

void MetafileCanvas::charge(double cost) {
    spent += cost;
    if (!(spent <= paintBudget))
        refuseAsTooComplex();
}

void MetafileCanvas::refuseAsTooComplex() const {
    throw Error(formatMessage(QStringLiteral("Fichier %s trop complexe à dessiner."),
                              {QString(geometry.format)}));
}

void MetafileCanvas::selectObject(std::uint32_t index) {
    if (const GraphicsObject* object = table.find(index))
        select(*object);
}

void MetafileCanvas::select(const GraphicsObject& object) {
    if (const auto* pen = std::get_if<MetafilePen>(&object))
        state.pen = *pen;
    else if (const auto* brush = std::get_if<MetafileBrush>(&object))
        state.brush = *brush;
    else if (const auto* font = std::get_if<MetafileFont>(&object))
        state.font = *font;
}

void MetafileCanvas::setMapMode(MapMode mode) {
    state.mapMode = mode;
    updateTransform();
}

void MetafileCanvas::setWindowOrigin(QPointF origin) {
    state.windowOrigin = origin;
    updateTransform();
}

void MetafileCanvas::setWindowExtent(QSizeF extent) {
    if (extent.width() == 0 || extent.height() == 0)
        return;
    state.windowExtent = extent;
    updateTransform();
}

void MetafileCanvas::setViewportOrigin(QPointF origin) {
    state.viewportOrigin = origin;
    updateTransform();
}

void MetafileCanvas::setViewportExtent(QSizeF extent) {
    if (extent.width() == 0 || extent.height() == 0)
        return;
    state.viewportExtent = extent;
    updateTransform();
}

void MetafileCanvas::setWorldTransform(const QTransform& transform) {
    if (!isReasonable(transform))
        return;
    state.world = transform;
    updateTransform();
}

void MetafileCanvas::multiplyWorldTransform(const QTransform& transform, TransformOrder order) {
    setWorldTransform(order == TransformOrder::GivenFirst ? transform * state.world
                                                          : state.world * transform);
}

void MetafileCanvas::saveState() {
    if (savedStates.size() < MaxSavedStates)
        savedStates.push_back(state);
}

void MetafileCanvas::restoreState(int which) {
    const auto saved = static_cast<std::int64_t>(savedStates.size());
    std::int64_t kept = 0;
    if (which < 0 && -std::int64_t{which} <= saved)
        kept = saved + which;
    else if (which > 0 && which <= saved)
        kept = which - 1;
    else
        return;
    state = savedStates[static_cast<std::size_t>(kept)];
    savedStates.resize(static_cast<std::size_t>(kept));
    updateTransform();
}

void MetafileCanvas::moveTo(QPointF point) {
    state.position = point;
    figureOpen = false;
}

void MetafileCanvas::lineTo(QPointF point) {
    output({toPicture(QPolygonF{state.position, point})}, Paint::Stroke, Figure::Continues);
    state.position = point;
}

void MetafileCanvas::drawPolyline(QPolygonF points) {
    if (points.size() < 2)
        return;
    output({toPicture(std::move(points))}, Paint::Stroke, Figure::Separate);
}

void MetafileCanvas::drawPolylineTo(QPolygonF points) {
    if (points.isEmpty())
        return;
    const QPointF end = points.back();
    points.prepend(state.position);
    output({toPicture(std::move(points))}, Paint::Stroke, Figure::Continues);
    state.position = end;
}

void MetafileCanvas::drawBeziers(const QPolygonF& points, BezierStart start) {
    const bool fromPosition = start == BezierStart::CurrentPosition;
    qsizetype first = fromPosition ? 0 : 1;
    if (points.size() < first + 3)
        return;
    // Cut here rather than by the painter, so that every segment is counted and charged.
    QPolygonF line{fromPosition ? state.position : points.front()};
    for (; first + 3 <= points.size(); first += 3) {
        const QPointF curve[4] = {line.back(), points[first], points[first + 1], points[first + 2]};
        const int segments = curveSegments(curve);
        if (line.size() + segments > MaxCurvePoints)
            refuseAsTooComplex();
        for (int step = 1; step <= segments; ++step) {
            const double t = double(step) / segments;
            const double u = 1 - t;
            line.append(u * u * u * curve[0] + 3 * u * u * t * curve[1] + 3 * u * t * t * curve[2] +
                        t * t * t * curve[3]);
        }
    }
    output({toPicture(std::move(line))}, Paint::Stroke,
           fromPosition ? Figure::Continues : Figure::Separate);
    if (fromPosition)
        state.position = points[first - 1];
}

int MetafileCanvas::curveSegments(const QPointF (&curve)[4]) const {
    // Wang's bound: this many segments keep a cubic within a quarter pixel of its chords.
    const QPointF bend[2] = {toPicture(curve[0]) - 2 * toPicture(curve[1]) + toPicture(curve[2]),
                             toPicture(curve[1]) - 2 * toPicture(curve[2]) + toPicture(curve[3])};
    const double largest =
        std::max(std::hypot(bend[0].x(), bend[0].y()), std::hypot(bend[1].x(), bend[1].y()));
    const double segments = std::ceil(std::sqrt(3 * largest));
    return static_cast<int>(std::clamp(segments, 1.0, double(MaxCurveSegments)));
}

void MetafileCanvas::drawPolygon(QPolygonF points) {
    QList<QPolygonF> polygons;
    polygons.push_back(std::move(points));
    drawPolygons(std::move(polygons));
}

void MetafileCanvas::drawPolygons(QList<QPolygonF> polygons) {
    polygons.removeIf([](const QPolygonF& polygon) { return polygon.size() < 2; });
    for (QPolygonF& polygon : polygons) {
        polygon = toPicture(std::move(polygon));
        if (polygon.back() != polygon.front())
            polygon.append(polygon.front());
    }
    output(polygons, Paint::StrokeAndFill, Figure::Separate);
}

void MetafileCanvas::drawRectangle(const QRectF& rectangle) {
    QPainterPath shape;
    shape.addRect(rectangle.normalized());
    output(toPicture(shape), Paint::StrokeAndFill, Figure::Separate);
}

void MetafileCanvas::drawRoundedRectangle(const QRectF& rectangle, QSizeF corner) {
    QPainterPath shape;
    shape.addRoundedRect(rectangle.normalized(), std::abs(corner.width()) / 2,
                         std::abs(corner.height()) / 2);
    output(toPicture(shape), Paint::StrokeAndFill, Figure::Separate);
}

void MetafileCanvas::drawEllipse(const QRectF& rectangle) {
    QPainterPath shape;
    shape.addEllipse(rectangle.normalized());
    output(toPicture(shape), Paint::StrokeAndFill, Figure::Separate);
}

void MetafileCanvas::drawText(QPointF reference, const QString& text,
                              const std::optional<QRectF>& opaqueRectangle) {
    if (opaqueRectangle) {
        QPainterPath box;
        box.addRect(opaqueRectangle->normalized());
        fillArea(toPicture(box), state.backgroundColor);
    }
    if (text.isEmpty())
        return;
    const std::uint32_t alignment = state.textAlignment;
    const bool updatesPosition = (alignment & AlignUpdatesPosition) != 0;
    const QPointF mapped = toPicture(updatesPosition ? state.position : reference);
    const QPointF anchor(clampCoordinate(mapped.x(), TextAnchorLimit),
                         clampCoordinate(mapped.y(), TextAnchorLimit));
    const QFont font = currentFont();
    charge(textCost(static_cast<std::uint64_t>(text.size()), font.pixelSize(), picture.size()));
    const QFontMetricsF metrics(font);
    const double width = metrics.horizontalAdvance(text);

    QPointF offset;
    if ((alignment & AlignHorizontalMask) == AlignCenter)
        offset.setX(-width / 2);
    else if ((alignment & AlignHorizontalMask) == AlignRight)
        offset.setX(-width);
    if ((alignment & AlignVerticalMask) == AlignBottom)
        offset.setY(-metrics.descent());
    else if ((alignment & AlignVerticalMask) != AlignBaseline)
        offset.setY(metrics.ascent());

    painter.save();
    painter.translate(anchor);
    painter.rotate(-state.font.escapementDegrees);
    painter.setFont(font);
    painter.setPen(state.textColor);
    applyBackground();
    painter.drawText(offset, text);
    painter.restore();

    if (updatesPosition && logicalToPicture.isInvertible())
        state.position = logicalToPicture.inverted().map(anchor + QPointF(width, 0));
}

void MetafileCanvas::beginPath() {
    recordedPath.clear();
    recordingPath = true;
    figureOpen = false;
}

void MetafileCanvas::closeFigure() {
    if (!recordingPath)
        return;
    recordedPath.closeSubpath();
    figureOpen = false;
}

void MetafileCanvas::abortPath() {
    recordedPath.clear();
    recordingPath = false;
}

void MetafileCanvas::fillPath() {
    paint(recordedPath.toSubpathPolygons(), Paint::Fill);
    abortPath();
}

void MetafileCanvas::strokePath() {
    paint(recordedPath.toSubpathPolygons(), Paint::Stroke);
    abortPath();
}

void MetafileCanvas::strokeAndFillPath() {
    paint(recordedPath.toSubpathPolygons(), Paint::StrokeAndFill);
    abortPath();
}

QImage MetafileCanvas::finish() {
    painter.end();
    return picture;
}

void MetafileCanvas::updateTransform() {
    logicalToPicture = state.world * windowToDevice() * deviceToPicture;
}

QTransform MetafileCanvas::windowToDevice() const {
    const QPointF window = state.windowOrigin;
    double scaleX = 1;
    double scaleY = 1;
    QPointF viewport = state.viewportOrigin.value_or(QPointF());
    switch (state.mapMode) {
    case MapMode::Text:
        break;
    case MapMode::Isotropic:
    case MapMode::Anisotropic: {
        // Without a viewport of its own, the window fills the picture.
        viewport = state.viewportOrigin.value_or(geometry.frame.topLeft());
        const QSizeF extent = state.viewportExtent.value_or(geometry.frame.size());
        scaleX = extent.width() / state.windowExtent.width();
        scaleY = extent.height() / state.windowExtent.height();
        if (state.mapMode == MapMode::Isotropic) {
            const double scale = std::min(std::abs(scaleX), std::abs(scaleY));
            scaleX = std::copysign(scale, scaleX);
            scaleY = std::copysign(scale, scaleY);
        }
        break;
    }
    default: {
        // Metric and English units grow upwards.
        const double millimetres = millimetresPerUnit(state.mapMode);
        scaleX = geometry.pixelsPerMillimetre.width() * millimetres;
        scaleY = -geometry.pixelsPerMillimetre.height() * millimetres;
        break;
    }
    }
    return QTransform(scaleX, 0, 0, scaleY, viewport.x() - window.x() * scaleX,
                      viewport.y() - window.y() * scaleY);
}

QPointF MetafileCanvas::toPicture(QPointF point) const {
    const QPointF mapped = logicalToPicture.map(point);
    return {clampCoordinate(mapped.x()), clampCoordinate(mapped.y())};
}

QPolygonF MetafileCanvas::toPicture(QPolygonF points) const {
    for (QPointF& point : points)
        point = toPicture(point);
    return points;
}

PictureFigures MetafileCanvas::toPicture(const QPainterPath& path) const {
    QPainterPath mapped = logicalToPicture.map(path);
    for (int index = 0; index < mapped.elementCount(); ++index) {
        const QPainterPath::Element element = mapped.elementAt(index);
        mapped.setElementPositionAt(index, clampCoordinate(element.x), clampCoordinate(element.y));
    }
    return mapped.toSubpathPolygons();
}

double MetafileCanvas::pictureScale() const {
    const double determinant = logicalToPicture.m11() * logicalToPicture.m22() -
                               logicalToPicture.m12() * logicalToPicture.m21();
    const double scale = std::sqrt(std::abs(determinant));
    return std::isfinite(scale) ? scale : GeometryLimit;
}

QPen MetafileCanvas::currentPen() const {
    const MetafilePen& pen = state.pen;
    if (pen.style == Qt::NoPen)
        return Qt::NoPen;
    // A pen wider than the picture paints it all anyway.
    const double widest = picture.width() + picture.height();
    const double width = pen.width == 0 ? 1 : std::clamp(pen.width * pictureScale(), 1.0, widest);
    return QPen(pen.color, width, pen.style, pen.cap, pen.join);
}

QBrush MetafileCanvas::currentBrush() const {
    return QBrush(state.brush.color, state.brush.style);
}

QFont MetafileCanvas::currentFont() const {
    const MetafileFont& wanted = state.font;
    const double verticalScale = std::hypot(logicalToPicture.m21(), logicalToPicture.m22());
    const double pixels =
        wanted.height == 0 ? DefaultFontPixels : std::abs(wanted.height) * verticalScale;
    const double largest =
        std::min(MaxFontPixels, 2.0 * std::max(picture.width(), picture.height()));
    QFont font;
    font.setPixelSize(
        static_cast<int>(std::lround(std::clamp(pixels, 1.0, std::max(1.0, largest)))));
    font.setWeight(
        static_cast<QFont::Weight>(std::clamp(wanted.weight == 0 ? 400 : wanted.weight, 1, 1000)));
    font.setItalic(wanted.italic);
    font.setUnderline(wanted.underline);
    font.setStrikeOut(wanted.strikeOut);
    return font;
}

void MetafileCanvas::output(const PictureFigures& figures, Paint paintMode, Figure figure) {
    if (!recordingPath) {
        paint(figures, paintMode);
        return;
    }
    qsizetype added = 0;
    for (const QPolygonF& points : figures)
        added += points.size();
    if (recordedPath.elementCount() + added > MaxPathElements)
        refuseAsTooComplex();
    // A figure that continues the open one joins its end instead of starting anew.
    bool joinsOpenFigure = figure == Figure::Continues && figureOpen;
    for (const QPolygonF& points : figures) {
        for (qsizetype index = 0; index < points.size(); ++index) {
            if (index == 0 && !joinsOpenFigure)
                recordedPath.moveTo(points[index]);
            else
                recordedPath.lineTo(points[index]);
        }
        joinsOpenFigure = false;
    }
    figureOpen = figure == Figure::Continues;
}

void MetafileCanvas::paint(const PictureFigures& figures, Paint paintMode) {
    applyBackground();
    if (paintMode != Paint::Stroke && state.brush.style != Qt::NoBrush)
        fillArea(figures, currentBrush());
    if (paintMode != Paint::Fill && state.pen.style != Qt::NoPen)
        strokeLines(figures);
}

QRectF MetafileCanvas::pictureWithMargin(double margin) const {
    return QRectF(-margin, -margin, picture.width() + 2 * margin, picture.height() + 2 * margin);
}

void MetafileCanvas::fillArea(const PictureFigures& figures, const QBrush& brush) {
    charge(fillCost(figures, picture.size()));
    const QRectF window = pictureWithMargin(1);
    QPainterPath area;
    area.setFillRule(state.fillRule);
    for (const QPolygonF& figure : figures) {
        const QPolygonF clipped = clipPolygon(figure, window);
        if (clipped.size() < 3)
            continue;
        area.addPolygon(clipped);
        area.closeSubpath();
    }
    painter.fillPath(area, brush);
}

void MetafileCanvas::strokeLines(const PictureFigures& figures) {
    const QPen pen = currentPen();
    charge(strokeCost(figures, pen.widthF(), picture.size()));
    // Far enough out that the cut ends, their caps and mitred joins stay out of sight.
    const QRectF window = pictureWithMargin(2 * pen.widthF() + 2);
    QPainterPath lines;
    for (const QPolygonF& figure : figures)
        addClippedPolyline(figure, window, lines);
    // GDI draws a line through the pixels at its coordinates, that is their centres.
    painter.strokePath(lines.translated(0.5, 0.5), pen);
}

void MetafileCanvas::applyBackground() {
    painter.setBackground(state.backgroundColor);
    painter.setBackgroundMode(state.backgroundMode == BackgroundMode::Opaque ? Qt::OpaqueMode
                                                                             : Qt::TransparentMode);
}

} // namespace orvandel::imaging
