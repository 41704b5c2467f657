#pragma once

#include "platform/WallpaperShell.h"

#include <QImage>
#include <QSize>
#include <QString>

#include <functional>
#include <memory>

namespace orvandel::platform {

// Decodes a picture for a back-end that draws the wallpaper itself. With a valid `bound` the
// picture will be stretched to it and may be decoded at any size that still covers it. Throws
// orvandel::Error for a file it cannot read.
using WallpaperPictureReader = std::function<QImage(const QString& path, QSize bound)>;

// The shell of the running desktop, or nullptr when no back-end fits this session.
std::unique_ptr<WallpaperShell> createWallpaperShell(const WallpaperPictureReader& readPicture);

} // namespace orvandel::platform
