#pragma once

#include "DeferredWallpaperShell.h"
#include "platform/WallpaperShellFactory.h"

namespace orvandel::platform {

// Plain X11 without a desktop that draws the background: we draw the picture at the root
// window's size ourselves and make it the root's background.
class X11Wallpaper final : public DeferredWallpaperShell {
public:
    explicit X11Wallpaper(WallpaperPictureReader pictureReader);

protected:
    void apply(const QString& path, WallpaperPlacement placement) override;

private:
    WallpaperPictureReader readPicture;
};

} // namespace orvandel::platform
