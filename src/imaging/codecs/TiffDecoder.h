#pragma once

#include "imaging/ByteView.h"

#include <QImage>

namespace orvandel::imaging {

// The first page of a TIFF file, whatever its layout and compression.
QImage decodeTiff(ByteView file);

} // namespace orvandel::imaging
