#include "X11Wallpaper.h"

#include "WallpaperRenderer.h"
#include "X11RootBackground.h"
#include "desktop/WallpaperPicture.h"

namespace orvandel::desktop {

void X11Wallpaper::apply(const QString& path, WallpaperPlacement placement) {
    X11RootBackground root;
    const QSize screen = root.rootSize();
    // Only a stretched picture may be decoded smaller; centred and tiled ones show at full size.
    QImage picture =
        readWallpaperPicture(path, placement == WallpaperPlacement::Stretch ? screen : QSize());
    const QImage wallpaper = renderWallpaper(picture, screen, placement);
    picture = QImage();
    root.show(wallpaper);
}

} // namespace orvandel::desktop
