#pragma once

#include "desktop/WallpaperShell.h"

#include <QString>

namespace orvandel::desktop {

// How a back-end shows the picture. Codes other than centre and tile are drawn stretched: it
// is the program's default and fills the screen as most other modes do.
enum class WallpaperPlacement { Center, Tile, Stretch };

WallpaperPlacement placementOf(std::uint32_t wallpaperStyle);
// "center", "tile" or "stretch", the words pcmanfm and swaybg take.
QString placementName(WallpaperPlacement placement);

// The three shell steps for back-ends that do all their work at ApplyChanges: the options and the
// file are only kept until then.
class DeferredWallpaperShell : public WallpaperShell {
public:
    void SetWallpaperOptions(const WallpaperOptions& options, std::uint32_t reserved) override;
    void SetWallpaper(const char16_t* path, std::uint32_t reserved) override;
    void ApplyChanges(std::uint32_t flags) override;

protected:
    virtual void apply(const QString& path, WallpaperPlacement placement) = 0;

private:
    QString file;
    std::uint32_t style = WallpaperStyle::Center;
};

} // namespace orvandel::desktop
