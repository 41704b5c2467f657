#include "PlacementName.h"

namespace orvandel::desktop {

QString placementName(WallpaperPlacement placement) {
    switch (placement) {
    case WallpaperPlacement::Center:
        return QStringLiteral("center");
    case WallpaperPlacement::Tile:
        return QStringLiteral("tile");
    case WallpaperPlacement::Stretch:
        break;
    }
    return QStringLiteral("stretch");
}

} // namespace orvandel::desktop
