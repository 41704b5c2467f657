#include "MetafileCost.h"

#include <algorithm>
#include <cmath>
#include <optional>
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
// Joining two segments of a stroke: the stroker's angles and the arc of a round join.
constexpr double JoinCost = 300;
// Each pixel a fill or a pen covers.
constexpr double PixelCost = 1;
// Shaping one character, whatever its size.
constexpr double CharacterCost = 400;
constexpr double FigureCost = 64;

constexpr double BaseBudget = 4e8;
constexpr double BudgetPerPixel = 64;
constexpr double LargestBudget = double(std::int64_t{1} << 29);

// The length of [low, high] inside [0, limit].
double overlap(double low, double high, double limit) {
    return std::max(0.0, std::min(high, limit) - std::max(low, 0.0));
}

double pixelCount(QSize size) {
    return double(size.width()) * double(size.height());
}

// The rows from `top` to `bottom` that lie inside a picture `height` rows high.
struct RowSpan {
    int first;
    int last; // one past

    RowSpan(double top, double bottom, int height)
        : first(static_cast<int>(std::clamp(std::floor(top), 0.0, double(height))))
        , last(static_cast<int>(std::clamp(std::ceil(bottom), 0.0, double(height)))) {}
};

// How many edges cross each row a shape covers, and what the rasterizer pays for them.
class RowCrossings {
public:
    RowCrossings(RowSpan shapeRows, double costOfAPair)
        : rows(shapeRows)
        , pairCost(costOfAPair) {
        if (rows.first < rows.last)
            changes.assign(static_cast<std::size_t>(rows.last - rows.first) + 1, 0);
    }

    // An edge over [top, bottom] in picture rows, `count` times.
    void add(double top, double bottom, int count = 1) {
        const RowSpan edge(top, bottom, rows.last);
        const int first = std::max(edge.first, rows.first);
        const int last = edge.last;
        if (first >= last)
            return;
        changes[static_cast<std::size_t>(first - rows.first)] += count;
        changes[static_cast<std::size_t>(last - rows.first)] -= count;
    }

    double cost() const {
        double total = 0;
        double crossing = 0;
        for (std::size_t row = 0; row + 1 < changes.size(); ++row) {
            crossing += changes[row];
            total += crossing * (RowCost + pairCost * crossing);
        }
        return total;
    }

private:
    RowSpan rows;
    double pairCost;
    // Per row of the span, the edges starting there minus those ending there.
    std::vector<double> changes;
};

// The round join at `vertex` between segments going `before` and `after` (unit vectors): an arc
// of the pen's reach on the outer side of the turn, crossing each row it spans twice at most.
void addJoin(RowCrossings& crossings, QPointF vertex, QPointF before, QPointF after, double reach) {
    // The outer side is the one the path turns away from; its normals bound the arc.
    const double side = before.x() * after.y() - before.y() * after.x() > 0 ? -1 : 1;
    const double startY = side * before.x();
    const double endY = side * after.x();
    double low = std::min(startY, endY);
    double high = std::max(startY, endY);
    const QPointF middle = before + after;
    const double middleLength = std::hypot(middle.x(), middle.y());
    if (middleLength < 1e-9) {
        low = -1;
        high = 1;
    } else {
        const double middleY = side * middle.x() / middleLength;
        low = std::min(low, middleY);
        high = std::max(high, middleY);
    }
    crossings.add(vertex.y() + reach * low, vertex.y() + reach * high, 2);
}

QRectF boundsOf(const PictureFigures& figures) {
    QRectF bounds;
    for (const QPolygonF& figure : figures)
        bounds |= figure.boundingRect();
    return bounds;
}

} // namespace

double paintBudgetFor(QSize pictureSize) {
    return std::min(LargestBudget, BaseBudget + BudgetPerPixel * pixelCount(pictureSize));
}

double fillCost(const PictureFigures& figures, QSize pictureSize) {
    const QRectF bounds = boundsOf(figures);
    RowCrossings crossings(RowSpan(bounds.top(), bounds.bottom(), pictureSize.height()),
                           FillCrossingPairCost);
    double cost = ShapeCost;
    // Each figure is filled as closed: its last point joins its first.
    for (const QPolygonF& figure : figures) {
        for (qsizetype index = 0; index < figure.size(); ++index) {
            const QPointF from = figure[index];
            const QPointF to = figure[(index + 1) % figure.size()];
            cost += SegmentCost;
            crossings.add(std::min(from.y(), to.y()), std::max(from.y(), to.y()));
        }
    }
    cost += PixelCost * overlap(bounds.left(), bounds.right(), pictureSize.width()) *
            overlap(bounds.top(), bounds.bottom(), pictureSize.height());
    return cost + crossings.cost();
}

double strokeCost(const PictureFigures& figures, double penWidth, QSize pictureSize) {
    const double width = pictureSize.width();
    const double height = pictureSize.height();
    const double reach = penWidth / 2 + 1;
    const QRectF bounds = boundsOf(figures);
    RowCrossings crossings(
        RowSpan(bounds.top() - reach, bounds.bottom() + reach, pictureSize.height()),
        CrossingPairCost);
    double cost = ShapeCost;
    for (const QPolygonF& figure : figures) {
        const bool closed = figure.size() > 2 && figure.front() == figure.back();
        std::optional<QPointF> firstDirection;
        std::optional<QPointF> previousDirection;
        for (qsizetype index = 1; index < figure.size(); ++index) {
            const QPointF from = figure[index - 1];
            const QPointF to = figure[index];
            cost += SegmentCost;
            const double length = std::hypot(to.x() - from.x(), to.y() - from.y());
            const double top = std::min(from.y(), to.y()) - reach;
            const double bottom = std::max(from.y(), to.y()) + reach;
            const double rows = overlap(top, bottom, height);
            const double columns = overlap(std::min(from.x(), to.x()) - reach,
                                           std::max(from.x(), to.x()) + reach, width);
            if (length == 0 || rows == 0 || columns == 0)
                continue;
            // The pen's band along the segment, caps and joins included, within its visible box.
            const double band = (length + penWidth + 1) * (penWidth + 1);
            cost += PixelCost * std::min(band, rows * columns);
            const QPointF direction = (to - from) / length;
            // The pen's two sides run along the segment, shifted up and down by the pen's reach
            // across it.
            const double across = reach * std::abs(direction.x());
            crossings.add(std::min(from.y(), to.y()) - across, std::max(from.y(), to.y()) + across,
                          2);
            if (previousDirection) {
                cost += JoinCost;
                addJoin(crossings, from, *previousDirection, direction, reach);
            } else if (!closed)
                crossings.add(from.y() - reach, from.y() + reach, 2);
            firstDirection = firstDirection.value_or(direction);
            previousDirection = direction;
        }
        if (!previousDirection)
            continue;
        if (closed) {
            cost += JoinCost;
            addJoin(crossings, figure.front(), *previousDirection, *firstDirection, reach);
        } else
            crossings.add(figure.back().y() - reach, figure.back().y() + reach, 2);
    }
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
