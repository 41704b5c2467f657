#pragma once

#include <QImage>
#include <QString>

#include <cstdint>

namespace orvandel::imaging {

// A new, uninitialised picture for a decoder to fill. The size is checked against the limits
// before anything is allocated, naming `formatName` in the error. Large pictures get their memory
// in large pages, which makes a full-size photo several times cheaper to bring in. A failed
// allocation throws instead of handing back a null picture.
QImage newPicture(std::int64_t width, std::int64_t height, QImage::Format format,
                  const QString& formatName);

} // namespace orvandel::imaging
