#pragma once

#include <QImage>

namespace orvandel::imaging {

// A new, uninitialised picture for a decoder to fill. Large pictures get their memory in large
// pages, which makes a full-size photo several times cheaper to bring in. Throws orvandel::Error
// when the size is refused or no memory is left.
QImage newPicture(int width, int height, QImage::Format format);

} // namespace orvandel::imaging
