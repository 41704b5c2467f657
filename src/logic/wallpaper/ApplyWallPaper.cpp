#include "ApplyWallPaper.h"

#include "common/Error.h"
#include "desktop/WallpaperSetterFactory.h"

namespace orvandel::inline logic::Utils {

namespace {

// Codes other than centre and tile come from a hand-edited file or from text typed into the
// options list; stretched is the program's default and fills the screen as most other modes do.
desktop::WallpaperPlacement placementOf(int wpStyle) {
    switch (wpStyle) {
    case 0:
        return desktop::WallpaperPlacement::Center;
    case 1:
        return desktop::WallpaperPlacement::Tile;
    default:
        return desktop::WallpaperPlacement::Stretch;
    }
}

} // namespace

void ApplyWallPaper(const QString& FileName, int wpStyle) {
    ApplyWallPaper(FileName, wpStyle, [] { return desktop::createWallpaperSetter(); });
}

void ApplyWallPaper(const QString& FileName, int wpStyle, const WallpaperSetterMaker& makeSetter) {
    // Made for this one change and released when it ends, also when it throws.
    const std::unique_ptr<desktop::WallpaperSetter> setter = makeSetter();
    if (!setter)
        throw Error(QStringLiteral(
            "Impossible de changer le fond d'écran : aucun bureau pris en charge n'a été trouvé "
            "(GNOME, KDE Plasma, XFCE, MATE, Cinnamon, LXDE, LXQt, sway ou X11)."));
    setter->apply(FileName, placementOf(wpStyle));
}

} // namespace orvandel::inline logic::Utils
