#pragma once

#include "imaging/ByteView.h"

#include <QImage>
#include <QSize>

namespace orvandel::imaging {

// Windows metafiles, drawn onto a white picture of the size the header gives. Unknown records are
// skipped by their stated size. With a valid `bound`, the drawing is played directly at the
// smallest scale whose picture still covers the bound, never above the header's size.
QImage decodeEmf(ByteView file, QSize bound = {});
QImage decodeWmf(ByteView file, QSize bound = {});

} // namespace orvandel::imaging
