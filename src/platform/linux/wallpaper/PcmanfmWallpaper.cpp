#include "PcmanfmWallpaper.h"

#include "PcmanfmQtProfiles.h"

namespace orvandel::platform {

namespace {

const QString PcmanfmQt = QStringLiteral("pcmanfm-qt");

} // namespace

PcmanfmWallpaper::PcmanfmWallpaper(QString fileManager)
    : program(std::move(fileManager))
    , freshPath(program) {}

void PcmanfmWallpaper::apply(const QString& path, WallpaperPlacement placement) {
    const QString given = freshPath.pathFor(path);
    commands.run(program, {QStringLiteral("--set-wallpaper"), given,
                           QStringLiteral("--wallpaper-mode"), placementName(placement)});
    if (program == PcmanfmQt)
        keepWallpaperModeInPcmanfmQtProfiles(given, placementName(placement));
    freshPath.applied();
}

} // namespace orvandel::platform
