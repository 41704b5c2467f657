#pragma once

#include "CommandRunner.h"
#include "desktop/WallpaperSetter.h"

namespace orvandel::desktop {

// sway and other wlroots compositors: a `swaybg` of our own shows the picture on every output and
// keeps running after the program ends. The one started before is ended only once the new one
// runs, so the background never shows empty in between.
class SwayWallpaper final : public WallpaperSetter {
public:
    void apply(const QString& path, WallpaperPlacement placement) override;

private:
    CommandRunner commands;
};

} // namespace orvandel::desktop
