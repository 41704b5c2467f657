#include "PcmanfmWallpaper.h"

namespace orvandel::platform {

PcmanfmWallpaper::PcmanfmWallpaper(QString fileManager)
    : program(std::move(fileManager))
    , freshPath(program) {}

void PcmanfmWallpaper::apply(const QString& path, WallpaperPlacement placement) {
    commands.run(program, {QStringLiteral("--set-wallpaper"), freshPath.pathFor(path),
                           QStringLiteral("--wallpaper-mode"), placementName(placement)});
    freshPath.applied();
}

} // namespace orvandel::platform
