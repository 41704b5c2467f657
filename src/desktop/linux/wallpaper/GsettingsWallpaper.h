#pragma once

#include "CommandRunner.h"
#include "FreshWallpaperPath.h"
#include "desktop/WallpaperSetter.h"

#include <QStringList>

namespace orvandel::desktop {

// Where a GNOME-family desktop keeps its wallpaper.
struct GsettingsBackground {
    enum class PathForm { FileUri, PlainPath };

    QString schema;
    // Every key that names the picture: GNOME shows the dark one in dark mode.
    QStringList pictureKeys;
    PathForm pathForm;
};

GsettingsBackground gnomeBackground();
GsettingsBackground cinnamonBackground();
GsettingsBackground mateBackground();

// GNOME, Unity, Budgie, Cinnamon and MATE: `picture-options` and the picture keys through the
// `gsettings` command; the desktop keeps the setting across sessions itself.
class GsettingsWallpaper final : public WallpaperSetter {
public:
    explicit GsettingsWallpaper(GsettingsBackground desktopBackground);
    void apply(const QString& path, WallpaperPlacement placement) override;

private:
    void set(const QString& key, const QString& text) const;

    GsettingsBackground background;
    CommandRunner commands;
    FreshWallpaperPath freshPath;
};

// A string in GVariant's text form, as `gsettings set` reads it.
QString gvariantStringLiteral(const QString& text);

} // namespace orvandel::desktop
