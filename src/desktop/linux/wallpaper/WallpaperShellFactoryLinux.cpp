#include "DesktopDetection.h"
#include "GsettingsWallpaper.h"
#include "KdeWallpaper.h"
#include "PcmanfmWallpaper.h"
#include "SwayWallpaper.h"
#include "X11Wallpaper.h"
#include "XfceWallpaper.h"
#include "desktop/WallpaperShellFactory.h"

namespace orvandel::desktop {

std::unique_ptr<WallpaperShell> createWallpaperShell() {
    switch (detectWallpaperDesktop(QProcessEnvironment::systemEnvironment())) {
    case WallpaperDesktop::Gnome:
        return std::make_unique<GsettingsWallpaper>(gnomeBackground());
    case WallpaperDesktop::Cinnamon:
        return std::make_unique<GsettingsWallpaper>(cinnamonBackground());
    case WallpaperDesktop::Mate:
        return std::make_unique<GsettingsWallpaper>(mateBackground());
    case WallpaperDesktop::Xfce:
        return std::make_unique<XfceWallpaper>();
    case WallpaperDesktop::Kde:
        return std::make_unique<KdeWallpaper>();
    case WallpaperDesktop::Lxde:
        return std::make_unique<PcmanfmWallpaper>(QStringLiteral("pcmanfm"));
    case WallpaperDesktop::Lxqt:
        return std::make_unique<PcmanfmWallpaper>(QStringLiteral("pcmanfm-qt"));
    case WallpaperDesktop::Wlroots:
        return std::make_unique<SwayWallpaper>();
    case WallpaperDesktop::X11:
        return std::make_unique<X11Wallpaper>();
    case WallpaperDesktop::None:
        break;
    }
    return nullptr;
}

} // namespace orvandel::desktop
