#include "DeferredWallpaperShell.h"

namespace orvandel::platform {

WallpaperPlacement placementOf(std::uint32_t wallpaperStyle) {
    switch (wallpaperStyle) {
    case WallpaperStyle::Center:
        return WallpaperPlacement::Center;
    case WallpaperStyle::Tile:
        return WallpaperPlacement::Tile;
    default:
        return WallpaperPlacement::Stretch;
    }
}

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

void DeferredWallpaperShell::SetWallpaperOptions(const WallpaperOptions& options, std::uint32_t) {
    style = options.dwStyle;
}

void DeferredWallpaperShell::SetWallpaper(const char16_t* path, std::uint32_t) {
    file = QString::fromUtf16(path);
}

void DeferredWallpaperShell::ApplyChanges(std::uint32_t) {
    apply(file, placementOf(style));
}

} // namespace orvandel::platform
