#pragma once

#include "BmpHeader.h"

#include <QImage>

namespace orvandel::imaging::bmp {

// Allocates the width × height picture the header describes (the caller checked the size).
QImage allocatePicture(const DibHeader& header, QImage::Format format, Container container);

// Whether the decoded pixels carry an alpha channel worth keeping.
bool hasAlphaMask(const DibHeader& header);

// Decodes uncompressed rows into `picture`; `pixels` holds at least
// (height - 1) × rowStride + rowLength bytes. Pixels without alpha come out opaque.
void decodeRows(ByteView pixels, const DibHeader& header, const Palette& palette, QImage& picture);

bool isAlphaAllZero(const QImage& picture);
// Sets every alpha to 255 and relabels the picture RGB32.
void makeOpaque(QImage& picture);

} // namespace orvandel::imaging::bmp
