#pragma once

#include "imaging/ByteView.h"

#include <QImage>

namespace orvandel::imaging {

// Windows metafiles, drawn onto a white picture of the size the header gives. Unknown records are
// skipped by their stated size.
QImage decodeEmf(ByteView file);
QImage decodeWmf(ByteView file);

} // namespace orvandel::imaging
