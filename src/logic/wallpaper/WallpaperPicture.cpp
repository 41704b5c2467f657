#include "WallpaperPicture.h"

#include "common/Error.h"
#include "common/PictureError.h"
#include "imaging/PictureLoader.h"

#include <QImageReader>

namespace orvandel::Utils {

QImage readWallpaperPicture(const QString& path, QSize bound) {
    if (!path.endsWith(QStringLiteral(".gif"), Qt::CaseInsensitive))
        return bound.isValid() ? imaging::loadPictureBounded(path, bound)
                               : imaging::loadPicture(path);
    QImageReader reader(path, "gif");
    QImage picture = reader.read();
    if (picture.isNull())
        throw PictureError(QStringLiteral("Impossible de lire l'image GIF \"%1\" : %2")
                               .arg(path, reader.errorString()));
    return picture;
}

} // namespace orvandel::Utils
