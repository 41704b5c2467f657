#pragma once

#include <QImage>
#include <QSize>

namespace orvandel::imaging {

// Resizes a picture to exactly `size`, without keeping its proportions: each axis is averaged
// over the source pixels a target pixel covers when it shrinks (so fine detail blends instead of
// aliasing), and interpolated bilinearly when it grows. The result is 32 bits per pixel, with
// alpha when the source has it.
QImage stretchPicture(const QImage& source, QSize size);

} // namespace orvandel::imaging
