#pragma once

#include "CommandRunner.h"
#include "FreshWallpaperPath.h"
#include "desktop/WallpaperSetter.h"

namespace orvandel::desktop {

// XFCE keeps one backdrop per monitor and workspace in the channel xfce4-desktop; every one of
// them gets the picture, through `xfconf-query`.
class XfceWallpaper final : public WallpaperSetter {
public:
    XfceWallpaper();
    void apply(const QString& path, WallpaperPlacement placement) override;

private:
    QStringList backdropImageProperties() const;
    void setProperty(const QString& property, const QString& type, const QString& value) const;

    CommandRunner commands;
    FreshWallpaperPath freshPath;
};

} // namespace orvandel::desktop
