#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace orvandel::imaging {

// Loads a picture file, the decoder chosen by the extension in any letter case: bmp, ico, emf,
// wmf, tif, tiff, jpg, jpeg, png. Any other extension, a file that does not open and any damaged
// file throw orvandel::PictureError.
QImage loadPicture(const QString& path);

// The same for a picture that will be shown within `bound`: a JPEG is decoded at the smallest
// scale that still covers it, a metafile drawn at the smallest size that still covers it, and an
// RLE-compressed BMP reduced by the largest whole factor that still covers it; other formats are
// decoded whole.
QImage loadPictureBounded(const QString& path, QSize bound);

} // namespace orvandel::imaging
