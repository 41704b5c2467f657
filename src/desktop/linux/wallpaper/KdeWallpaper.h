#pragma once

#include "CommandRunner.h"
#include "FreshWallpaperPath.h"
#include "desktop/WallpaperSetter.h"

namespace orvandel::desktop {

// KDE Plasma: a script for the shell's evaluateScript D-Bus call gives every desktop the image
// wallpaper plugin with the picture; Plasma stores its own configuration.
class KdeWallpaper final : public WallpaperSetter {
public:
    KdeWallpaper();
    void apply(const QString& path, WallpaperPlacement placement) override;

private:
    CommandRunner commands;
    FreshWallpaperPath freshPath;
};

// The Plasma script that sets `fileUri` with the plugin's fill mode on every desktop.
QString plasmaWallpaperScript(const QString& fileUri, WallpaperPlacement placement);

} // namespace orvandel::desktop
