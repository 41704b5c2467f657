#include "ApplyWallPaper.h"

#include "common/Error.h"
#include "desktop/WallpaperShellFactory.h"

#include <algorithm>
#include <vector>

namespace orvandel::Utils {

void ApplyWallPaper(const QString& FileName, int wpStyle) {
    ApplyWallPaper(FileName, wpStyle, [] { return desktop::createWallpaperShell(); });
}

void ApplyWallPaper(const QString& FileName, int wpStyle, const WallpaperShellMaker& makeShell) {
    // Refused when too long, so that the buffer holds the path and its terminating zero.
    desktop::checkWallpaperPathLength(FileName);
    std::vector<char16_t> buffer(desktop::wallpaperPathBufferLength(), u'\0');
    std::copy_n(FileName.utf16(), FileName.size(), buffer.begin());
    const desktop::WallpaperOptions options{8, static_cast<std::uint32_t>(wpStyle)};

    // Made for this one call and released when it ends, also when a step throws.
    const std::unique_ptr<desktop::WallpaperShell> shell = makeShell();
    if (!shell)
        throw Error(QStringLiteral(
            "Impossible de changer le fond d'écran : aucun bureau pris en charge n'a été trouvé "
            "(GNOME, KDE Plasma, XFCE, MATE, Cinnamon, LXDE, LXQt, sway ou X11)."));
    shell->SetWallpaperOptions(options, 0);
    shell->SetWallpaper(buffer.data(), 0);
    shell->ApplyChanges(desktop::ApplySaveHtmlGenRefresh);
}

} // namespace orvandel::Utils
