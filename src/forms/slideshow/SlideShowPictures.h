#pragma once

#include <QPixmap>

namespace orvandel::inline forms {

// The slide-show window's pictures, painted for this program: the four buttons' 16 × 16 icons
// and the band's decorative picture.
QPixmap slideShowSelectImagesIcon();
QPixmap slideShowStartIcon();
QPixmap slideShowStopIcon();
QPixmap slideShowCloseIcon();
// Photographs standing in an open folder.
QPixmap slideShowDecoration(QSize size);

} // namespace orvandel::inline forms
