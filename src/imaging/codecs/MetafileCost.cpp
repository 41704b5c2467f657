#include "MetafileCost.h"

#include <algorithm>
#include <cmath>

namespace orvandel::imaging {

namespace {

// Setting up the painter and the rasterizer for one shape.
constexpr double ShapeCost = 2000;
// One edge of an outline: clipping it, then setting it up in the rasterizer.
constexpr double SegmentCost = 20;
// Each row an edge crosses: the rasterizer's cells and their sorting.
constexpr double RowCost = 16;
// Each pixel a fill or a pen covers.
constexpr double PixelCost = 1;
// Shaping one character, whatever its size.
constexpr double CharacterCost = 400;
constexpr double FigureCost = 4;

constexpr double BaseBudget = double(std::int64_t{1} << 28);
constexpr double BudgetPerPixel = 16;
constexpr double LargestBudget = double(std::int64_t{1} << 30);

// The length of [low, high] inside [0, limit].
double overlap(double low, double high, double limit) {
    return std::max(0.0, std::min(high, limit) - std::max(low, 0.0));
}

double pixelCount(QSize size) {
    return double(size.width()) * double(size.height());
}

// Calls `segment(from, to)` for every segment of `path`, closing edges included when `closed`.
template <typename Segment>
void forEachSegment(const QPainterPath& path, bool closed, Segment&& segment) {
    QPointF start;
    QPointF previous;
    for (int index = 0; index < path.elementCount(); ++index) {
        const QPainterPath::Element element = path.elementAt(index);
        const QPointF point(element.x, element.y);
        if (element.isMoveTo()) {
            if (closed && index > 0)
                segment(previous, start);
            start = point;
        } else {
            segment(previous, point);
        }
        previous = point;
    }
    if (closed && path.elementCount() > 0)
        segment(previous, start);
}

} // namespace

double paintBudgetFor(QSize pictureSize) {
    return std::min(LargestBudget, BaseBudget + BudgetPerPixel * pixelCount(pictureSize));
}

double fillCost(const QPainterPath& path, QSize pictureSize) {
    const double height = pictureSize.height();
    double cost = ShapeCost;
    forEachSegment(path, true, [&](QPointF from, QPointF to) {
        cost += SegmentCost +
                RowCost * overlap(std::min(from.y(), to.y()), std::max(from.y(), to.y()), height);
    });
    const QRectF bounds = path.controlPointRect();
    cost += PixelCost * overlap(bounds.left(), bounds.right(), pictureSize.width()) *
            overlap(bounds.top(), bounds.bottom(), height);
    return cost;
}

double strokeCost(const QPainterPath& path, double penWidth, QSize pictureSize) {
    const double width = pictureSize.width();
    const double height = pictureSize.height();
    const double reach = penWidth / 2 + 1;
    double cost = ShapeCost;
    forEachSegment(path, false, [&](QPointF from, QPointF to) {
        cost += SegmentCost;
        const double rows =
            overlap(std::min(from.y(), to.y()) - reach, std::max(from.y(), to.y()) + reach, height);
        const double columns =
            overlap(std::min(from.x(), to.x()) - reach, std::max(from.x(), to.x()) + reach, width);
        if (rows == 0 || columns == 0)
            return;
        // The pen's band along the segment, caps and joins included, within its visible box.
        const double length = std::hypot(to.x() - from.x(), to.y() - from.y());
        const double band = (length + penWidth + 1) * (penWidth + 1);
        cost += PixelCost * std::min(band, rows * columns) + 2 * RowCost * rows;
    });
    return cost;
}

double textCost(std::uint64_t length, double pixelSize, QSize pictureSize) {
    const double glyph = std::min(pixelSize * pixelSize, pixelCount(pictureSize));
    return double(length) * (CharacterCost + PixelCost * glyph);
}

double figureCost(std::uint64_t count) {
    return FigureCost * double(count);
}

} // namespace orvandel::imaging
