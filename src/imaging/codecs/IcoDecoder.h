#pragma once

#include "imaging/ByteView.h"

#include <QImage>

namespace orvandel::imaging {

// A .ico file: the largest, deepest entry, stored as a DIB or as a PNG.
QImage decodeIco(ByteView file);

} // namespace orvandel::imaging
