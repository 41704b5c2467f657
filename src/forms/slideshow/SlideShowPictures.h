#pragma once

#include <QPixmap>

namespace orvandel::SlideShowPictures {

// The slide-show window's pictures, painted for this program: the four buttons' 16 × 16 icons
// and the band's decorative picture.
QPixmap selectImagesIcon();
QPixmap startIcon();
QPixmap stopIcon();
QPixmap closeIcon();
// Photographs standing in an open folder.
QPixmap decoration(QSize size);

} // namespace orvandel::SlideShowPictures
