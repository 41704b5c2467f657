#pragma once

#include "BmpHeader.h"

#include <QImage>
#include <QSize>

namespace orvandel::imaging::bmp {

// The largest whole factor by which a width × height picture can shrink and still cover `bound`
// in both directions; 1 without a valid bound.
int rleReduction(std::int64_t width, std::int64_t height, QSize bound);

// Decodes a bottom-up RLE4 or RLE8 stream into a picture `reduction` times smaller each way (1:
// full size), each pixel the average of those it stands for. Rows stream through one at a time,
// so a file claiming a huge size never costs more than its reduced picture. Pixels the stream
// skips or never reaches are the first palette colour.
QImage decodeRle(ByteView data, const DibHeader& header, const Palette& palette, int reduction,
                 Container container);

} // namespace orvandel::imaging::bmp
