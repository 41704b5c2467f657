#pragma once

#include <QList>
#include <QPolygonF>
#include <QSize>

#include <cstdint>

namespace orvandel::imaging {

// What painting a shape costs the rasterizer, in units of about a nanosecond on a desktop machine,
// estimated from the shape in picture pixels before anything is painted. The figures grow with
// the real work: per segment, the rows its edges cross, growing with the square of the edges
// crossing the same row, and the area its pen covers; per text character, its shaping and its
// glyph.

// The budget of a whole metafile drawn onto a picture of `pictureSize`: about a second of
// painting, far more than any real drawing of that size asks for.
double paintBudgetFor(QSize pictureSize);

// The figures of a shape in picture pixels; a closed figure ends where it starts.
using PictureFigures = QList<QPolygonF>;

// Filling `figures`, each closed by an edge back to its start.
double fillCost(const PictureFigures& figures, QSize pictureSize);

// Stroking the segments of `figures` with a pen `penWidth` pixels wide.
double strokeCost(const PictureFigures& figures, double penWidth, QSize pictureSize);

// Laying out and drawing `length` characters of `pixelSize` pixels.
double textCost(std::uint64_t length, double pixelSize, QSize pictureSize);

// Reading `count` figures of a record, drawn or not.
double figureCost(std::uint64_t count);

} // namespace orvandel::imaging
