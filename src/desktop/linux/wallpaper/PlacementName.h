#pragma once

#include "desktop/WallpaperSetter.h"

#include <QString>

namespace orvandel::desktop {

// "center", "tile" or "stretch", the words pcmanfm and swaybg take.
QString placementName(WallpaperPlacement placement);

} // namespace orvandel::desktop
