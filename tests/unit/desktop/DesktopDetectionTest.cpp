#include "desktop/linux/wallpaper/DesktopDetection.h"

#include <gtest/gtest.h>

using orvandel::desktop::detectWallpaperDesktop;
using orvandel::desktop::WallpaperDesktop;

namespace {

struct Session {
    const char* name;
    std::vector<std::pair<const char*, const char*>> variables;
    WallpaperDesktop expected;
};

class DesktopDetectionTest : public ::testing::TestWithParam<Session> {};

TEST_P(DesktopDetectionTest, ChoosesTheBackEndOfTheSession) {
    QProcessEnvironment environment;
    for (const auto& [variable, value] : GetParam().variables)
        environment.insert(QString::fromLatin1(variable), QString::fromUtf8(value));
    EXPECT_EQ(detectWallpaperDesktop(environment), GetParam().expected);
}

using enum WallpaperDesktop;

INSTANTIATE_TEST_SUITE_P(
    Sessions, DesktopDetectionTest,
    ::testing::Values(
        Session{"Gnome", {{"XDG_CURRENT_DESKTOP", "GNOME"}, {"DISPLAY", ":0"}}, Gnome},
        Session{"UbuntuList", {{"XDG_CURRENT_DESKTOP", "ubuntu:GNOME"}}, Gnome},
        Session{"Unity", {{"XDG_CURRENT_DESKTOP", "Unity:Unity7:ubuntu"}}, Gnome},
        Session{"Budgie", {{"XDG_CURRENT_DESKTOP", "Budgie:GNOME"}}, Gnome},
        Session{"Cinnamon", {{"XDG_CURRENT_DESKTOP", "X-Cinnamon"}}, Cinnamon},
        Session{"Mate", {{"XDG_CURRENT_DESKTOP", "MATE"}}, Mate},
        Session{"Xfce", {{"XDG_CURRENT_DESKTOP", "XFCE"}}, Xfce},
        Session{"Kde", {{"XDG_CURRENT_DESKTOP", "KDE"}, {"WAYLAND_DISPLAY", "wayland-0"}}, Kde},
        Session{"Lxde", {{"XDG_CURRENT_DESKTOP", "LXDE"}}, Lxde},
        Session{"Lxqt", {{"XDG_CURRENT_DESKTOP", "LXQt"}}, Lxqt},
        Session{
            "Sway", {{"XDG_CURRENT_DESKTOP", "sway"}, {"WAYLAND_DISPLAY", "wayland-1"}}, Wlroots},
        Session{"LowerCaseAndBlanks", {{"XDG_CURRENT_DESKTOP", " :xfce: "}}, Xfce},
        Session{"FirstKnownNameWins", {{"XDG_CURRENT_DESKTOP", "i3:KDE:GNOME"}}, Kde},
        Session{"SessionDesktop",
                {{"XDG_SESSION_DESKTOP", "plasmawayland"}, {"DESKTOP_SESSION", "gnome"}},
                Kde},
        Session{"DesktopSessionPath",
                {{"DESKTOP_SESSION", "/usr/share/xsessions/xfce"}, {"DISPLAY", ":0"}},
                Xfce},
        Session{"DesktopSessionVariant", {{"DESKTOP_SESSION", "gnome-xorg"}}, Gnome},
        Session{"UnknownNamesFallBack",
                {{"XDG_CURRENT_DESKTOP", "i3"}, {"DESKTOP_SESSION", "i3"}, {"DISPLAY", ":1"}},
                X11},
        Session{"PlainX11", {{"DISPLAY", ":99"}}, X11},
        Session{"UnknownWayland", {{"WAYLAND_DISPLAY", "wayland-0"}, {"DISPLAY", ":0"}}, Wlroots},
        Session{"EmptyValues", {{"XDG_CURRENT_DESKTOP", ""}, {"DISPLAY", ""}}, None},
        Session{"NoDisplay", {}, None}),
    [](const ::testing::TestParamInfo<Session>& session) {
        return std::string(session.param.name);
    });

} // namespace
