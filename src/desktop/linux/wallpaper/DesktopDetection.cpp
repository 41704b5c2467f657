#include "DesktopDetection.h"

#include <QStringList>

#include <array>
#include <optional>

namespace orvandel::desktop {

namespace {

struct DesktopName {
    QStringView name;
    WallpaperDesktop desktop;
};

// Names as the desktops announce themselves, in lower case.
constexpr std::array<DesktopName, 20> desktopNames = {{
    {u"gnome", WallpaperDesktop::Gnome},
    {u"unity", WallpaperDesktop::Gnome},
    {u"budgie", WallpaperDesktop::Gnome},
    {u"budgie-desktop", WallpaperDesktop::Gnome},
    {u"ubuntu", WallpaperDesktop::Gnome},
    {u"pop", WallpaperDesktop::Gnome},
    {u"x-cinnamon", WallpaperDesktop::Cinnamon},
    {u"cinnamon", WallpaperDesktop::Cinnamon},
    {u"mate", WallpaperDesktop::Mate},
    {u"xfce", WallpaperDesktop::Xfce},
    {u"kde", WallpaperDesktop::Kde},
    {u"plasma", WallpaperDesktop::Kde},
    {u"lxde", WallpaperDesktop::Lxde},
    {u"lxqt", WallpaperDesktop::Lxqt},
    {u"sway", WallpaperDesktop::Wlroots},
    {u"wlroots", WallpaperDesktop::Wlroots},
    {u"hyprland", WallpaperDesktop::Wlroots},
    {u"river", WallpaperDesktop::Wlroots},
    {u"wayfire", WallpaperDesktop::Wlroots},
    {u"labwc", WallpaperDesktop::Wlroots},
}};

std::optional<WallpaperDesktop> desktopNamed(QStringView name) {
    for (const DesktopName& known : desktopNames) {
        if (name.compare(known.name, Qt::CaseInsensitive) == 0)
            return known.desktop;
    }
    return std::nullopt;
}

// Session names add a variant after the desktop's name: "plasmawayland", "gnome-wayland".
std::optional<WallpaperDesktop> sessionNamed(QStringView session) {
    if (auto exact = desktopNamed(session))
        return exact;
    for (const DesktopName& known : desktopNames) {
        if (session.startsWith(known.name, Qt::CaseInsensitive))
            return known.desktop;
    }
    return std::nullopt;
}

std::optional<WallpaperDesktop> fromCurrentDesktop(const QString& value) {
    for (const QString& name : value.split(u':', Qt::SkipEmptyParts)) {
        if (auto desktop = desktopNamed(name.trimmed()))
            return desktop;
    }
    return std::nullopt;
}

} // namespace

WallpaperDesktop detectWallpaperDesktop(const QProcessEnvironment& environment) {
    if (auto desktop = fromCurrentDesktop(environment.value(QStringLiteral("XDG_CURRENT_DESKTOP"))))
        return *desktop;
    for (const char* variable : {"XDG_SESSION_DESKTOP", "DESKTOP_SESSION"}) {
        const QString session = environment.value(QString::fromLatin1(variable)).trimmed();
        if (session.isEmpty())
            continue;
        // Display managers may give the session file's path.
        if (auto desktop = sessionNamed(session.section(u'/', -1)))
            return *desktop;
    }
    if (!environment.value(QStringLiteral("WAYLAND_DISPLAY")).isEmpty())
        return WallpaperDesktop::Wlroots;
    if (!environment.value(QStringLiteral("DISPLAY")).isEmpty())
        return WallpaperDesktop::X11;
    return WallpaperDesktop::None;
}

} // namespace orvandel::desktop
