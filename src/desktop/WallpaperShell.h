#pragma once

#include <QString>

#include <cstdint>

namespace orvandel::desktop {

// The options record handed to the shell before the file.
struct WallpaperOptions {
    std::uint32_t dwSize = 8;
    std::uint32_t dwStyle = 0;
};

// Position codes the shell knows; any other value reaches the shell unchanged.
namespace WallpaperStyle {
inline constexpr std::uint32_t Center = 0;
inline constexpr std::uint32_t Tile = 1;
inline constexpr std::uint32_t Stretch = 2;
} // namespace WallpaperStyle

// Flags of ApplyChanges: save the choice, regenerate, refresh the desktop.
inline constexpr std::uint32_t ApplySaveHtmlGenRefresh = 7;

// Zero-filled path buffer length in UTF-16 units, terminating zero included: room for the
// longest path the platform takes (the Windows shell's 260 units, the system's PATH_MAX on Linux).
int wallpaperPathBufferLength();

// Throws orvandel::Error, naming the limit, for a path longer than the platform takes: cut to fit,
// it would name another file, or none, and the change would look done.
void checkWallpaperPathLength(const QString& path);

// The desktop's wallpaper shell, made for one call: set the options, set the file, apply and
// save. A back-end that cannot do its work throws orvandel::Error with the reason.
class WallpaperShell {
public:
    virtual ~WallpaperShell() = default;

    virtual void SetWallpaperOptions(const WallpaperOptions& options, std::uint32_t reserved) = 0;
    // `path` is a zero-terminated buffer of wallpaperPathBufferLength() units.
    virtual void SetWallpaper(const char16_t* path, std::uint32_t reserved) = 0;
    virtual void ApplyChanges(std::uint32_t flags) = 0;
};

} // namespace orvandel::desktop
