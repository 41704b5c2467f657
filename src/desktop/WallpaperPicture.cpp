#include "WallpaperPicture.h"

#include "common/Messages.h"
#include "common/PictureError.h"
#include "imaging/PictureLoader.h"
#include "system/RegularFile.h"

#include <QFile>
#include <QImageReader>

namespace orvandel::desktop {

QImage readWallpaperPicture(const QString& path, QSize bound) {
    if (!path.endsWith(QStringLiteral(".gif"), Qt::CaseInsensitive))
        return bound.isValid() ? imaging::loadPictureBounded(path, bound)
                               : imaging::loadPicture(path);
    // Read from a file the platform layer opened, which alone knows the name on disk.
    QFile file;
    if (!system::openRegularFile(file, path))
        throw PictureError(formatMessage(ProgramMessages::CannotOpenFile, {path}));
    QImageReader reader(&file, "gif");
    QImage picture = reader.read();
    if (picture.isNull())
        throw PictureError(
            formatMessage(QStringLiteral("Impossible de lire l'image GIF \"%s\" : %s"),
                          {path, reader.errorString()}));
    return picture;
}

} // namespace orvandel::desktop
