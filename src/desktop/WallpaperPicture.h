#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace orvandel::desktop {

// Decodes a picture for a wallpaper that we draw ourselves: the program's own decoders, bounded
// by `bound` when it is valid, and the toolkit's GIF reader (first frame), as the desktops show
// GIF files too. Throws orvandel::PictureError for a file it cannot read.
QImage readWallpaperPicture(const QString& path, QSize bound);

} // namespace orvandel::desktop
