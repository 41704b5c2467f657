#pragma once

#include <QPainterPath>
#include <QPolygonF>
#include <QRectF>

namespace orvandel::imaging {

// Metafile shapes can reach millions of pixels beyond the picture, which Qt's rasterizer handles
// very slowly; they are cut to a window a little larger than the picture first.

// The part of a closed polygon inside `window`. Every point inside keeps its winding number, so
// both fill rules give the same result there.
QPolygonF clipPolygon(const QPolygonF& polygon, const QRectF& window);

// Adds the pieces of the polyline inside `window` to `pieces`, one subpath each; a closed
// polyline wholly inside stays closed.
void addClippedPolyline(const QPolygonF& line, const QRectF& window, QPainterPath& pieces);

} // namespace orvandel::imaging
