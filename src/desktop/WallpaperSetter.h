#pragma once

#include <QString>

namespace orvandel::desktop {

// How the picture covers the screen.
enum class WallpaperPlacement { Center, Tile, Stretch };

// The desktop's wallpaper: made for one change, then released.
class WallpaperSetter {
public:
    virtual ~WallpaperSetter() = default;

    // Shows the picture at `path` on every monitor in `placement` and keeps it as the desktop's
    // choice. Throws orvandel::Error with the reason; orvandel::PictureError when a setter that
    // draws the wallpaper itself cannot read the picture.
    virtual void apply(const QString& path, WallpaperPlacement placement) = 0;
};

} // namespace orvandel::desktop
