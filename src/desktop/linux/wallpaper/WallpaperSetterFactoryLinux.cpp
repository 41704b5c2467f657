#include "DesktopDetection.h"
#include "GsettingsWallpaper.h"
#include "KdeWallpaper.h"
#include "PcmanfmWallpaper.h"
#include "SwayWallpaper.h"
#include "WallpaperPathLimit.h"
#include "X11Wallpaper.h"
#include "XfceWallpaper.h"
#include "desktop/WallpaperSetterFactory.h"

namespace orvandel::desktop {

namespace {

// Whatever the desktop, a path the system cannot take is refused before anything is touched.
class PathLengthCheck final : public WallpaperSetter {
public:
    explicit PathLengthCheck(std::unique_ptr<WallpaperSetter> setter)
        : backEnd(std::move(setter)) {}

    void apply(const QString& path, WallpaperPlacement placement) override {
        checkWallpaperPathLength(path);
        backEnd->apply(path, placement);
    }

private:
    std::unique_ptr<WallpaperSetter> backEnd;
};

std::unique_ptr<WallpaperSetter> backEndOfThisSession() {
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

} // namespace

std::unique_ptr<WallpaperSetter> createWallpaperSetter() {
    std::unique_ptr<WallpaperSetter> backEnd = backEndOfThisSession();
    if (!backEnd)
        return nullptr;
    return std::make_unique<PathLengthCheck>(std::move(backEnd));
}

} // namespace orvandel::desktop
