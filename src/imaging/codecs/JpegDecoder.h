#pragma once

#include "imaging/ByteView.h"

#include <QImage>
#include <QSize>

namespace orvandel::imaging {

// Decodes a JPEG (colour, grey or CMYK). With a valid `bound`, the decoder's DCT scaling picks the
// smallest scale n/8 whose output still covers the bound in both directions, so a large photo
// shown on a screen is never decoded at full size. A decoder error throws "Erreur JPEG #<code>".
QImage decodeJpeg(ByteView file, QSize bound = {});

// The numerator n of the scale n/8 decodeJpeg uses for a picture of `size` shown within `bound`.
int jpegScaleNumerator(QSize size, QSize bound);

} // namespace orvandel::imaging
