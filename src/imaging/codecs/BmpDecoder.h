#pragma once

#include "imaging/ByteView.h"

#include <QImage>
#include <QSize>

namespace orvandel::imaging {

// A whole .bmp file: 1, 4, 8, 16, 24 and 32 bits, BI_RGB, BI_BITFIELDS, RLE4, RLE8, bottom-up and
// top-down rows, and the OS/2 core header. Throws orvandel::Error on a damaged file. With a valid
// `bound`, an RLE picture is reduced while it is decoded (see rleReduction); others come whole.
QImage decodeBmp(ByteView file, QSize bound = {});

// A device-independent bitmap as stored in an icon: the header says twice the height, and the
// colour rows are followed by a 1-bit transparency mask.
QImage decodeIconDib(ByteView dib);

} // namespace orvandel::imaging
