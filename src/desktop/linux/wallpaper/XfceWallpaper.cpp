#include "XfceWallpaper.h"

namespace orvandel::desktop {

namespace {

const QString Channel = QStringLiteral("xfce4-desktop");
const QString ImageProperty = QStringLiteral("last-image");
// The first backdrop xfdesktop reads when it has stored none yet.
const QString FirstBackdrop = QStringLiteral("/backdrop/screen0/monitor0/workspace0/last-image");

QString imageStyle(WallpaperPlacement placement) {
    switch (placement) {
    case WallpaperPlacement::Center:
        return QStringLiteral("1");
    case WallpaperPlacement::Tile:
        return QStringLiteral("2");
    case WallpaperPlacement::Stretch:
        break;
    }
    return QStringLiteral("3");
}

} // namespace

XfceWallpaper::XfceWallpaper()
    : freshPath(Channel) {}

void XfceWallpaper::apply(const QString& path, WallpaperPlacement placement) {
    const QString shown = freshPath.pathFor(path);
    for (const QString& property : backdropImageProperties()) {
        const QString backdrop = property.chopped(ImageProperty.size());
        setProperty(backdrop + QStringLiteral("image-style"), QStringLiteral("int"),
                    imageStyle(placement));
        setProperty(property, QStringLiteral("string"), shown);
    }
    freshPath.applied();
}

QStringList XfceWallpaper::backdropImageProperties() const {
    const QStringList properties =
        QString::fromUtf8(commands.run(QStringLiteral("xfconf-query"),
                                       {QStringLiteral("-c"), Channel, QStringLiteral("-l")}))
            .split(u'\n', Qt::SkipEmptyParts);
    QStringList images;
    for (const QString& property : properties) {
        if (property.trimmed().endsWith(u'/' + ImageProperty))
            images.append(property.trimmed());
    }
    return images.isEmpty() ? QStringList{FirstBackdrop} : images;
}

void XfceWallpaper::setProperty(const QString& property, const QString& type,
                                const QString& value) const {
    commands.run(QStringLiteral("xfconf-query"),
                 {QStringLiteral("-c"), Channel, QStringLiteral("-p"), property,
                  QStringLiteral("-n"), QStringLiteral("-t"), type, QStringLiteral("-s"), value});
}

} // namespace orvandel::desktop
