#include "GsettingsWallpaper.h"

#include "system/linux/FileNameCodec.h"

namespace orvandel::desktop {

namespace {

QString pictureOption(WallpaperPlacement placement) {
    switch (placement) {
    case WallpaperPlacement::Center:
        return QStringLiteral("centered");
    case WallpaperPlacement::Tile:
        return QStringLiteral("wallpaper");
    case WallpaperPlacement::Stretch:
        break;
    }
    return QStringLiteral("stretched");
}

} // namespace

GsettingsBackground gnomeBackground() {
    return {QStringLiteral("org.gnome.desktop.background"),
            {QStringLiteral("picture-uri"), QStringLiteral("picture-uri-dark")},
            GsettingsBackground::PathForm::FileUri};
}

GsettingsBackground cinnamonBackground() {
    return {QStringLiteral("org.cinnamon.desktop.background"),
            {QStringLiteral("picture-uri")},
            GsettingsBackground::PathForm::FileUri};
}

GsettingsBackground mateBackground() {
    return {QStringLiteral("org.mate.background"),
            {QStringLiteral("picture-filename")},
            GsettingsBackground::PathForm::PlainPath};
}

// A file URI names the file by its bytes, percent-encoded, which GIO decodes back: the desktop
// finds even a name that is not UTF-8. A plain path is a GSettings string, which must be text.
GsettingsWallpaper::GsettingsWallpaper(GsettingsBackground desktopBackground)
    : background(std::move(desktopBackground))
    , freshPath(background.schema, background.pathForm == GsettingsBackground::PathForm::FileUri
                                       ? DesktopNames::AnyBytes
                                       : DesktopNames::TextOnly) {}

void GsettingsWallpaper::apply(const QString& path, WallpaperPlacement placement) {
    const QString shown = freshPath.pathFor(path);
    const QString value = background.pathForm == GsettingsBackground::PathForm::FileUri
                              ? system::fileUriOf(shown)
                              : shown;
    set(QStringLiteral("picture-options"), pictureOption(placement));
    for (const QString& key : background.pictureKeys)
        set(key, value);
    freshPath.applied();
}

void GsettingsWallpaper::set(const QString& key, const QString& text) const {
    commands.run(QStringLiteral("gsettings"),
                 {QStringLiteral("set"), background.schema, key, gvariantStringLiteral(text)});
}

QString gvariantStringLiteral(const QString& text) {
    QString literal = QStringLiteral("'");
    for (const QChar character : text) {
        if (character == u'\\' || character == u'\'')
            literal += u'\\' + QString(character);
        else if (character.unicode() < 0x20 || character.unicode() == 0x7F)
            literal += QStringLiteral("\\u%1").arg(character.unicode(), 4, 16, QLatin1Char('0'));
        else
            literal += character;
    }
    return literal + u'\'';
}

} // namespace orvandel::desktop
