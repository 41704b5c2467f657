#pragma once

#include "imaging/ByteView.h"

#include <QImage>

namespace orvandel::imaging {

// Every PNG colour type and depth, interlaced or not, with its transparency.
QImage decodePng(ByteView file);

} // namespace orvandel::imaging
