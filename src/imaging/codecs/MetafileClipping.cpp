#include "MetafileClipping.h"

#include <algorithm>
#include <array>
#include <optional>

namespace orvandel::imaging {

namespace {

enum class Side { Left, Right, Top, Bottom };

bool isInside(QPointF point, const QRectF& window, Side side) {
    switch (side) {
    case Side::Left:
        return point.x() >= window.left();
    case Side::Right:
        return point.x() <= window.right();
    case Side::Top:
        return point.y() >= window.top();
    default:
        return point.y() <= window.bottom();
    }
}

// Where the segment from `from` to `to`, which crosses the side's line, meets it.
QPointF crossing(QPointF from, QPointF to, const QRectF& window, Side side) {
    if (side == Side::Left || side == Side::Right) {
        const double x = side == Side::Left ? window.left() : window.right();
        const double along = (x - from.x()) / (to.x() - from.x());
        return {x, from.y() + along * (to.y() - from.y())};
    }
    const double y = side == Side::Top ? window.top() : window.bottom();
    const double along = (y - from.y()) / (to.y() - from.y());
    return {from.x() + along * (to.x() - from.x()), y};
}

QPolygonF clipAgainst(const QPolygonF& polygon, const QRectF& window, Side side) {
    QPolygonF clipped;
    if (polygon.isEmpty())
        return clipped;
    QPointF previous = polygon.back();
    bool previousInside = isInside(previous, window, side);
    for (const QPointF& current : polygon) {
        const bool currentInside = isInside(current, window, side);
        if (currentInside != previousInside)
            clipped.append(crossing(previous, current, window, side));
        if (currentInside)
            clipped.append(current);
        previous = current;
        previousInside = currentInside;
    }
    return clipped;
}

// Liang–Barsky: the part of the segment inside the window, as a range of its parameter.
struct SegmentRange {
    double start = 0;
    double end = 1;
};

std::optional<SegmentRange> clipSegment(QPointF from, QPointF to, const QRectF& window) {
    const double deltaX = to.x() - from.x();
    const double deltaY = to.y() - from.y();
    const std::array<double, 4> directions{-deltaX, deltaX, -deltaY, deltaY};
    const std::array<double, 4> distances{from.x() - window.left(), window.right() - from.x(),
                                          from.y() - window.top(), window.bottom() - from.y()};
    SegmentRange range;
    for (std::size_t index = 0; index < directions.size(); ++index) {
        if (directions[index] == 0) {
            if (distances[index] < 0)
                return std::nullopt;
            continue;
        }
        const double limit = distances[index] / directions[index];
        if (directions[index] < 0)
            range.start = std::max(range.start, limit);
        else
            range.end = std::min(range.end, limit);
        if (range.start > range.end)
            return std::nullopt;
    }
    return range;
}

QPointF pointAlong(QPointF from, QPointF to, double along) {
    if (along == 0)
        return from;
    if (along == 1)
        return to;
    return from + along * (to - from);
}

} // namespace

QPolygonF clipPolygon(const QPolygonF& polygon, const QRectF& window) {
    QPolygonF clipped = polygon;
    for (Side side : {Side::Left, Side::Right, Side::Top, Side::Bottom})
        clipped = clipAgainst(clipped, window, side);
    return clipped;
}

void addClippedPolyline(const QPolygonF& line, const QRectF& window, QPainterPath& pieces) {
    bool pieceOpen = false;
    bool wholeLineInside = true;
    for (qsizetype index = 1; index < line.size(); ++index) {
        const QPointF from = line[index - 1];
        const QPointF to = line[index];
        const std::optional<SegmentRange> range = clipSegment(from, to, window);
        if (!range) {
            pieceOpen = false;
            wholeLineInside = false;
            continue;
        }
        if (!pieceOpen || range->start != 0)
            pieces.moveTo(pointAlong(from, to, range->start));
        pieces.lineTo(pointAlong(from, to, range->end));
        pieceOpen = range->end == 1;
        wholeLineInside = wholeLineInside && range->start == 0 && pieceOpen;
    }
    if (wholeLineInside && line.size() > 2 && line.front() == line.back())
        pieces.closeSubpath();
}

} // namespace orvandel::imaging
