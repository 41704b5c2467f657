#pragma once

#include <QPainterPath>
#include <QSize>

#include <cstdint>

namespace orvandel::imaging {

// What painting a shape costs the rasterizer, in units of about a nanosecond on a desktop machine,
// estimated from the shape in picture pixels before anything is painted. The figures grow with
// the real work: per segment, the rows its edges cross, growing with the square of the edges
// crossing the same row, and the area its pen covers; per text character, its shaping and its
// glyph.

// The budget of a whole metafile drawn onto a picture of `pictureSize`: about half a second of
// painting, far more than any real drawing of that size asks for.
double paintBudgetFor(QSize pictureSize);

// Filling the closed figures of `path`.
double fillCost(const QPainterPath& path, QSize pictureSize);

// Stroking the segments of `path` with a pen `penWidth` pixels wide.
double strokeCost(const QPainterPath& path, double penWidth, QSize pictureSize);

// Laying out and drawing `length` characters of `pixelSize` pixels.
double textCost(std::uint64_t length, double pixelSize, QSize pictureSize);

// Reading `count` figures of a record, drawn or not.
double figureCost(std::uint64_t count);

} // namespace orvandel::imaging
