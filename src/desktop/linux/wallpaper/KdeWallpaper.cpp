#include "KdeWallpaper.h"

#include <QUrl>

namespace orvandel::desktop {

namespace {

// The image plugin's FillMode values: 6 pads (centres), 3 tiles, 0 stretches.
int fillMode(WallpaperPlacement placement) {
    switch (placement) {
    case WallpaperPlacement::Center:
        return 6;
    case WallpaperPlacement::Tile:
        return 3;
    case WallpaperPlacement::Stretch:
        break;
    }
    return 0;
}

QString javascriptStringLiteral(const QString& text) {
    QString literal = QStringLiteral("\"");
    for (const QChar character : text) {
        const char16_t code = character.unicode();
        if (character == u'\\' || character == u'"')
            literal += u'\\' + QString(character);
        else if (code < 0x20 || code == 0x7F || code == 0x2028 || code == 0x2029)
            literal += QStringLiteral("\\u%1").arg(code, 4, 16, QLatin1Char('0'));
        else
            literal += character;
    }
    return literal + u'"';
}

} // namespace

QString plasmaWallpaperScript(const QString& fileUri, WallpaperPlacement placement) {
    return QStringLiteral("var allDesktops = desktops();\n"
                          "for (var i = 0; i < allDesktops.length; i++) {\n"
                          "    var desktop = allDesktops[i];\n"
                          "    desktop.wallpaperPlugin = \"org.kde.image\";\n"
                          "    desktop.currentConfigGroup = "
                          "[\"Wallpaper\", \"org.kde.image\", \"General\"];\n"
                          "    desktop.writeConfig(\"Image\", %1);\n"
                          "    desktop.writeConfig(\"FillMode\", %2);\n"
                          "}\n")
        // Both at once: a URI may hold "%01" or "%1A", which a second arg() would take for a
        // marker.
        .arg(javascriptStringLiteral(fileUri), QString::number(fillMode(placement)));
}

KdeWallpaper::KdeWallpaper()
    : freshPath(QStringLiteral("plasma")) {}

void KdeWallpaper::apply(const QString& path, WallpaperPlacement placement) {
    const QString uri = QUrl::fromLocalFile(freshPath.pathFor(path)).toString(QUrl::FullyEncoded);
    commands.run(QStringLiteral("dbus-send"),
                 {QStringLiteral("--session"), QStringLiteral("--print-reply"),
                  QStringLiteral("--dest=org.kde.plasmashell"), QStringLiteral("/PlasmaShell"),
                  QStringLiteral("org.kde.PlasmaShell.evaluateScript"),
                  QStringLiteral("string:") + plasmaWallpaperScript(uri, placement)});
    freshPath.applied();
}

} // namespace orvandel::desktop
