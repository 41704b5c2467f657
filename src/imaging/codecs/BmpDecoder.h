#pragma once

#include "imaging/ByteView.h"

#include <QImage>

namespace orvandel::imaging {

// A whole .bmp file: 1, 4, 8, 16, 24 and 32 bits, BI_RGB, BI_BITFIELDS, RLE4, RLE8, bottom-up and
// top-down rows, and the OS/2 core header. Throws orvandel::Error on a damaged file.
QImage decodeBmp(ByteView file);

// A device-independent bitmap as stored in an icon: the header says twice the height, and the
// colour rows are followed by a 1-bit transparency mask.
QImage decodeIconDib(ByteView dib);

} // namespace orvandel::imaging
