#pragma once

#include "desktop/WallpaperSetter.h"

#include <QString>

#include <functional>
#include <memory>

namespace orvandel::inline logic::Utils {

using WallpaperSetterMaker = std::function<std::unique_ptr<desktop::WallpaperSetter>()>;

// Makes `FileName` the desktop's wallpaper with the position code `wpStyle`: 0 centred, 1 tiled,
// 2 stretched; any other code is drawn stretched. Throws orvandel::Error when no setter fits this
// desktop, when the path is longer than the platform takes, and when the setter fails;
// orvandel::PictureError when a setter that draws the wallpaper itself cannot read the picture.
void ApplyWallPaper(const QString& FileName, int wpStyle);

// The same with the setter made by `makeSetter`, which may return nullptr for no setter.
void ApplyWallPaper(const QString& FileName, int wpStyle, const WallpaperSetterMaker& makeSetter);

} // namespace orvandel::inline logic::Utils
