#pragma once

#include "desktop/WallpaperSetter.h"

namespace orvandel::desktop {

// Plain X11 without a desktop that draws the background: we draw the picture at the root
// window's size ourselves and make it the root's background.
class X11Wallpaper final : public WallpaperSetter {
public:
    void apply(const QString& path, WallpaperPlacement placement) override;
};

} // namespace orvandel::desktop
