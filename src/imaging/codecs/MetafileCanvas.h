#pragma once

#include "MetafileCost.h"

#include <QColor>
#include <QImage>
#include <QLatin1String>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QTransform>

#include <cstdint>
#include <optional>
#include <set>
#include <variant>
#include <vector>

namespace orvandel::imaging {

// Logical units of a metafile; the numbers are those the files store.
enum class MapMode {
    Text = 1,
    LowMetric,
    HighMetric,
    LowEnglish,
    HighEnglish,
    Twips,
    Isotropic,
    Anisotropic,
};

enum class BackgroundMode { Transparent, Opaque };
enum class BezierStart { FirstPoint, CurrentPosition };
// Whether a transform given by a record applies before or after the current world transform.
enum class TransformOrder { GivenFirst, GivenLast };

struct MetafilePen {
    Qt::PenStyle style = Qt::SolidLine;
    double width = 0; // in logical units; 0 draws one pixel wide
    QColor color = Qt::black;
    Qt::PenCapStyle cap = Qt::RoundCap;
    Qt::PenJoinStyle join = Qt::RoundJoin;
};

struct MetafileBrush {
    Qt::BrushStyle style = Qt::SolidPattern;
    QColor color = Qt::white;
};

struct MetafileFont {
    double height = 0; // in logical units; 0 asks for the default size
    int weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    double escapementDegrees = 0;
};

// Palettes, regions and pattern brushes are not drawn with, but they still take a table slot.
struct UnsupportedObject {};

using GraphicsObject = std::variant<MetafilePen, MetafileBrush, MetafileFont, UnsupportedObject>;

// COLORREF 0x00BBGGRR; the high byte (palette flags) is ignored.
QColor colorFromColorRef(std::uint32_t value);
// A pen from LOGPEN style bits (line style, end cap, join) and a width in logical units.
MetafilePen penFromStyle(std::uint32_t style, double width, QColor color);
// A brush from a LOGBRUSH style and hatch.
MetafileBrush brushFromStyle(std::uint32_t style, QColor color, std::uint32_t hatch);

// The objects a metafile creates, by index. WMF fills the lowest free slot; EMF names the slot.
class ObjectTable {
public:
    // More than a real drawing uses; keeps a hostile file from growing the table.
    static constexpr std::uint32_t Capacity = 16384;

    void addInLowestFreeSlot(GraphicsObject object);
    void store(std::uint32_t index, GraphicsObject object);
    // Nothing when the index is out of range or the slot is empty.
    const GraphicsObject* find(std::uint32_t index) const;
    void remove(std::uint32_t index);

private:
    std::vector<std::optional<GraphicsObject>> entries;
    std::set<std::uint32_t> freeSlots;
};

// Where the picture sits in the reference device's coordinates.
struct CanvasGeometry {
    QLatin1String format; // for error texts
    QSize pictureSize;
    QRectF frame;               // device rectangle the picture shows
    QSizeF pixelsPerMillimetre; // of the reference device, for the metric map modes
    MapMode mapMode = MapMode::Text;
    // The work all drawings of the file may cost together (see MetafileCost.h); by default what
    // suits the picture's size.
    std::optional<double> paintBudget;
};

// A GDI-like device context drawing onto a white picture: records give logical coordinates, mapped
// through world, window and viewport to the picture, and cut to it before QPainter sees them.
class MetafileCanvas {
public:
    // Throws orvandel::Error when the picture cannot be allocated.
    explicit MetafileCanvas(const CanvasGeometry& geometry);

    ObjectTable& objects() { return table; }
    // Counts work against the paint budget; throws orvandel::Error once the budget is spent.
    void charge(double cost);
    // Makes the object current; an index with nothing behind it is ignored.
    void selectObject(std::uint32_t index);
    void select(const GraphicsObject& object);

    void setMapMode(MapMode mode);
    void setWindowOrigin(QPointF origin);
    // Zero extents are ignored: they would map everything to infinity.
    void setWindowExtent(QSizeF extent);
    void setViewportOrigin(QPointF origin);
    void setViewportExtent(QSizeF extent);
    // Non-finite or absurdly large transforms are ignored.
    void setWorldTransform(const QTransform& transform);
    void multiplyWorldTransform(const QTransform& transform, TransformOrder order);

    void setBackgroundColor(QColor color) { state.backgroundColor = color; }
    void setBackgroundMode(BackgroundMode mode) { state.backgroundMode = mode; }
    void setTextColor(QColor color) { state.textColor = color; }
    void setFillRule(Qt::FillRule rule) { state.fillRule = rule; }
    void setTextAlignment(std::uint32_t alignment) { state.textAlignment = alignment; }

    void saveState();
    // Negative: that many levels back; positive: the state saved with that number (from 1).
    void restoreState(int which);

    void moveTo(QPointF point);
    void lineTo(QPointF point);
    void drawPolyline(QPolygonF points);
    void drawPolylineTo(QPolygonF points);
    void drawBeziers(const QPolygonF& points, BezierStart start);
    void drawPolygon(QPolygonF points);
    void drawPolygons(QList<QPolygonF> polygons);
    void drawRectangle(const QRectF& rectangle);
    void drawRoundedRectangle(const QRectF& rectangle, QSizeF corner);
    void drawEllipse(const QRectF& rectangle);
    // `opaqueRectangle` is filled with the background colour first.
    void drawText(QPointF reference, const QString& text,
                  const std::optional<QRectF>& opaqueRectangle);

    void beginPath();
    void endPath() { recordingPath = false; }
    void closeFigure();
    void abortPath();
    void fillPath();
    void strokePath();
    void strokeAndFillPath();

    QImage finish();

private:
    struct DeviceState {
        MapMode mapMode = MapMode::Text;
        QPointF windowOrigin;
        QSizeF windowExtent{1, 1};
        std::optional<QPointF> viewportOrigin;
        std::optional<QSizeF> viewportExtent;
        QTransform world;
        MetafilePen pen;
        MetafileBrush brush;
        MetafileFont font;
        QColor textColor = Qt::black;
        QColor backgroundColor = Qt::white;
        BackgroundMode backgroundMode = BackgroundMode::Opaque;
        Qt::FillRule fillRule = Qt::OddEvenFill;
        std::uint32_t textAlignment = 0;
        QPointF position;
    };
    enum class Paint { Stroke, Fill, StrokeAndFill };
    // Inside a path, LineTo-like records extend the open figure; the others start their own.
    enum class Figure { Continues, Separate };

    void updateTransform();
    QTransform windowToDevice() const;
    QPointF toPicture(QPointF point) const;
    // Shapes are charged and drawn as polygons in picture pixels, curves flattened there.
    QPolygonF toPicture(QPolygonF points) const;
    PictureFigures toPicture(const QPainterPath& path) const;
    double pictureScale() const;
    QPen currentPen() const;
    QBrush currentBrush() const;
    QFont currentFont() const;
    void output(const PictureFigures& figures, Paint paint, Figure figure);
    void paint(const PictureFigures& figures, Paint paint);
    QRectF pictureWithMargin(double margin) const;
    void fillArea(const PictureFigures& figures, const QBrush& brush);
    void strokeLines(const PictureFigures& figures);
    void refuseAsTooComplex() const;
    // How many segments a cubic curve, given by its logical control points, is cut into.
    int curveSegments(const QPointF (&curve)[4]) const;
    void applyBackground();

    CanvasGeometry geometry;
    QTransform deviceToPicture;
    QImage picture;
    QPainter painter;
    ObjectTable table;
    DeviceState state;
    std::vector<DeviceState> savedStates;
    QTransform logicalToPicture;
    QPainterPath recordedPath; // in picture pixels
    bool recordingPath = false;
    bool figureOpen = false;
    double paintBudget = 0;
    double spent = 0;
};

} // namespace orvandel::imaging
