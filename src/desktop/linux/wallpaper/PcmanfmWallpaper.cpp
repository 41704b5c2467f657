#include "PcmanfmWallpaper.h"

#include "PcmanfmQtDesktopRestart.h"
#include "PcmanfmQtProfiles.h"
#include "PlacementName.h"

namespace orvandel::desktop {

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
    if (program != PcmanfmQt) {
        freshPath.applied();
        return;
    }
    const QStringList profiles =
        keepWallpaperModeInPcmanfmQtProfiles(given, placementName(placement));
    // The desktop holds the path already, whatever becomes of its restart.
    freshPath.applied();
    for (const QString& profile : profiles)
        restartPcmanfmQtDesktop(commands, profile, placementName(placement));
}

} // namespace orvandel::desktop
