#pragma once

#include "CommandRunner.h"
#include "FreshWallpaperPath.h"
#include "desktop/WallpaperSetter.h"

namespace orvandel::desktop {

// LXDE and LXQt draw the desktop with their file managers, `pcmanfm` and `pcmanfm-qt`, which
// take the wallpaper on their command line and store it in their own configuration.
class PcmanfmWallpaper final : public WallpaperSetter {
public:
    // `program` is pcmanfm or pcmanfm-qt.
    explicit PcmanfmWallpaper(QString fileManager);
    void apply(const QString& path, WallpaperPlacement placement) override;

private:
    QString program;
    CommandRunner commands;
    FreshWallpaperPath freshPath;
};

} // namespace orvandel::desktop
