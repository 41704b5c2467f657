#include "MetafileCost.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace orvandel::imaging {

namespace {

// Setting up the painter and the rasterizer for one shape.
constexpr double ShapeCost = 2000;
// One edge of an outline: clipping it, then setting it up in the rasterizer.
constexpr double SegmentCost = 20;
// Each row an edge crosses: the rasterizer's cell for it.
constexpr double RowCost = 4;
// The rasterizer keeps a row's cells in a sorted list, so a row crossed by k edges costs about
// k × k / 2 steps on top: many edges over the same rows are far dearer than the same edges apart.
constexpr double CrossingPairCost = 0.5;
// A filled outline whose edges all span the same rows is dearer still for the antialiasing
// rasterizer, which renders again in smaller bands when a band has more cells than its pool
// holds: about 16 × k × k per row, as measured on zigzags of 10 to 100 edges over 1024 rows.
constexpr double FillCrossingPairCost = 16;
// The edges of a pen's outline over each row of a segment: its two sides and its joins.
constexpr int StrokeOutlineEdges = 4;
// Each pixel a fill or a pen covers.
constexpr double PixelCost = 1;
// Shaping one character, whatever its size.
constexpr double CharacterCost = 400;
constexpr double FigureCost = 64;

constexpr double BaseBudget = double(std::int64_t{1} << 28);
constexpr double BudgetPerPixel = 64;
constexpr double LargestBudget = double(std::int64_t{1} << 29);

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

// How many edges cross each row of the picture, and what the rasterizer pays for them.
class RowCrossings {
public:
    RowCrossings(int pictureHeight, double costOfAPair)
        : height(pictureHeight)
        , pairCost(costOfAPair) {
        changes.assign(static_cast<std::size_t>(height) + 1, 0);
    }

    // An edge over [top, bottom] in picture rows, `count` times.
    void add(double top, double bottom, int count = 1) {
        const int first = static_cast<int>(std::clamp(std::floor(top), 0.0, double(height)));
        const int last = static_cast<int>(std::clamp(std::ceil(bottom), 0.0, double(height)));
        if (first >= last)
            return;
        changes[static_cast<std::size_t>(first)] += count;
        changes[static_cast<std::size_t>(last)] -= count;
    }

    double cost() const {
        double total = 0;
        double crossing = 0;
        for (int row = 0; row < height; ++row) {
            crossing += changes[static_cast<std::size_t>(row)];
            total += crossing * (RowCost + pairCost * crossing);
        }
        return total;
    }

private:
    int height;
    double pairCost;
    // Per row, the edges starting there minus those ending there.
    std::vector<double> changes;
};

} // namespace

double paintBudgetFor(QSize pictureSize) {
    return std::min(LargestBudget, BaseBudget + BudgetPerPixel * pixelCount(pictureSize));
}

double fillCost(const QPainterPath& path, QSize pictureSize) {
    RowCrossings crossings(pictureSize.height(), FillCrossingPairCost);
    double cost = ShapeCost;
    forEachSegment(path, true, [&](QPointF from, QPointF to) {
        cost += SegmentCost;
        crossings.add(std::min(from.y(), to.y()), std::max(from.y(), to.y()));
    });
    const QRectF bounds = path.controlPointRect();
    cost += PixelCost * overlap(bounds.left(), bounds.right(), pictureSize.width()) *
            overlap(bounds.top(), bounds.bottom(), pictureSize.height());
    return cost + crossings.cost();
}

double strokeCost(const QPainterPath& path, double penWidth, QSize pictureSize) {
    const double width = pictureSize.width();
    const double height = pictureSize.height();
    const double reach = penWidth / 2 + 1;
    RowCrossings crossings(pictureSize.height(), CrossingPairCost);
    double cost = ShapeCost;
    forEachSegment(path, false, [&](QPointF from, QPointF to) {
        cost += SegmentCost;
        const double top = std::min(from.y(), to.y()) - reach;
        const double bottom = std::max(from.y(), to.y()) + reach;
        const double rows = overlap(top, bottom, height);
        const double columns =
            overlap(std::min(from.x(), to.x()) - reach, std::max(from.x(), to.x()) + reach, width);
        if (rows == 0 || columns == 0)
            return;
        // The pen's band along the segment, caps and joins included, within its visible box. Its
        // outline crosses each of its rows twice, and as often again for the joins' arcs.
        const double length = std::hypot(to.x() - from.x(), to.y() - from.y());
        const double band = (length + penWidth + 1) * (penWidth + 1);
        cost += PixelCost * std::min(band, rows * columns);
        crossings.add(top, bottom, StrokeOutlineEdges);
    });
    return cost + crossings.cost();
}

double textCost(std::uint64_t length, double pixelSize, QSize pictureSize) {
    const double glyph = std::min(pixelSize * pixelSize, pixelCount(pictureSize));
    return double(length) * (CharacterCost + PixelCost * glyph);
}

double figureCost(std::uint64_t count) {
    return FigureCost * double(count);
}

} // namespace orvandel::imaging
