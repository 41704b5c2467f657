#pragma once

#include "desktop/WallpaperSetter.h"

#include <QImage>
#include <QSize>

namespace orvandel::desktop {

// The picture drawn at the screen's size in device pixels, in QImage::Format_RGB32: centred at
// its own size on black (cut when larger), tiled from the top-left corner, or stretched with an
// area-averaging downscale and a bilinear upscale.
QImage renderWallpaper(const QImage& picture, QSize screen, WallpaperPlacement placement);

} // namespace orvandel::desktop
