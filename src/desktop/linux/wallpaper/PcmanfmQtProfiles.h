#pragma once

#include <QString>
#include <QStringList>

namespace orvandel::desktop {

// Quirk: pcmanfm-qt's --set-wallpaper shows the picture in the mode asked, and saves the path in
// its desktop's profile, but never the mode: the profile keeps the one it had ("none" in a new
// profile), so the next start of the desktop shows no picture, or another placement. The running
// desktop holds that old mode in memory too and writes it back whenever it saves its settings,
// its own graceful end included; neither its command line nor its D-Bus interface reach it.
//
// Sets WallpaperMode to `mode` in the [Desktop] section of every pcmanfm-qt profile whose desktop
// shows `path`, each file written in one step with the rest of it kept as it was. Returns the
// profiles that held another mode: the desktop running in one of them, which has just saved its
// profile, holds that other mode.
QStringList keepWallpaperModeInPcmanfmQtProfiles(const QString& path, const QString& mode);
// Sets WallpaperMode to `mode` in that profile, when it has a settings file.
void setWallpaperModeInPcmanfmQtProfile(const QString& profile, const QString& mode);

} // namespace orvandel::desktop
