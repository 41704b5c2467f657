#include "DeferredWallpaperShell.h"

#include <string>

namespace orvandel::desktop {

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
    // Quirk: QString::fromUtf16 would drop a leading U+FEFF as a byte-order mark; the units are
    // taken as they are, lone surrogates of names that are not UTF-8 included.
    file = QString(reinterpret_cast<const QChar*>(path),
                   static_cast<qsizetype>(std::char_traits<char16_t>::length(path)));
}

void DeferredWallpaperShell::ApplyChanges(std::uint32_t) {
    apply(file, placementOf(style));
}

} // namespace orvandel::desktop
