#pragma once

#include <QProcessEnvironment>

namespace orvandel::desktop {

// The ways of setting the wallpaper this platform knows, one per back-end.
enum class WallpaperDesktop { Gnome, Cinnamon, Mate, Xfce, Kde, Lxde, Lxqt, Wlroots, X11, None };

// The desktop of a session: XDG_CURRENT_DESKTOP first (a colon-separated list, any letter case),
// then XDG_SESSION_DESKTOP and DESKTOP_SESSION; otherwise swaybg on a Wayland session, our own
// drawing when an X display is there, and None without either.
WallpaperDesktop detectWallpaperDesktop(const QProcessEnvironment& environment);

} // namespace orvandel::desktop
