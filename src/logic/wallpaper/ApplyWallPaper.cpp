#include "ApplyWallPaper.h"

#include "WallpaperPicture.h"
#include "common/Error.h"
#include "platform/WallpaperShellFactory.h"

#include <algorithm>
#include <array>

namespace orvandel::Utils {

namespace {

constexpr qsizetype MaxPathLength = platform::WallpaperPathBufferLength - 1;

using PathBuffer = std::array<char16_t, platform::WallpaperPathBufferLength>;

// A longer path cut to fit would name another file, or none, and the change would look done.
void checkPathLength(const QString& FileName) {
    if (FileName.size() > MaxPathLength)
        throw Error(QStringLiteral("Le chemin de l'image dépasse %1 caractères : %2")
                        .arg(MaxPathLength)
                        .arg(FileName));
}

} // namespace

void ApplyWallPaper(const QString& FileName, int wpStyle) {
    ApplyWallPaper(FileName, wpStyle,
                   [] { return platform::createWallpaperShell(readWallpaperPicture); });
}

void ApplyWallPaper(const QString& FileName, int wpStyle, const WallpaperShellMaker& makeShell) {
    checkPathLength(FileName);
    PathBuffer buffer{};
    std::copy_n(FileName.utf16(), FileName.size(), buffer.begin());
    const platform::WallpaperOptions options{8, static_cast<std::uint32_t>(wpStyle)};

    // Made for this one call and released when it ends, also when a step throws.
    const std::unique_ptr<platform::WallpaperShell> shell = makeShell();
    if (!shell)
        throw Error(QStringLiteral(
            "Impossible de changer le fond d'écran : aucun bureau pris en charge n'a été trouvé "
            "(GNOME, KDE Plasma, XFCE, MATE, Cinnamon, LXDE, LXQt, sway ou X11)."));
    shell->SetWallpaperOptions(options, 0);
    shell->SetWallpaper(buffer.data(), 0);
    shell->ApplyChanges(platform::ApplySaveHtmlGenRefresh);
}

} // namespace orvandel::Utils
