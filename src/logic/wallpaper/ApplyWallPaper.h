#pragma once

#include "desktop/WallpaperShell.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>

namespace orvandel::Utils {

using WallpaperShellMaker = std::function<std::unique_ptr<desktop::WallpaperShell>()>;

// Hands `FileName` and the position code `wpStyle` (0 centred, 1 tiled, 2 stretched; any other
// code is passed on unchanged) to the desktop's wallpaper shell in its three steps: options, file,
// apply and save. Throws orvandel::Error when no shell fits this desktop, when the path is longer
// than the platform takes, and when the shell fails; orvandel::PictureError when a back-end that
// draws the wallpaper itself cannot read the picture.
void ApplyWallPaper(const QString& FileName, int wpStyle);

// The same with the shell made by `makeShell`, which may return nullptr for no shell.
void ApplyWallPaper(const QString& FileName, int wpStyle, const WallpaperShellMaker& makeShell);

} // namespace orvandel::Utils
