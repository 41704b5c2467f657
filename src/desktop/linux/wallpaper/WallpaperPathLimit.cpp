#include "WallpaperPathLimit.h"

#include "common/Error.h"
#include "system/linux/FileNameCodec.h"

#include <climits>

namespace orvandel::desktop {

void checkWallpaperPathLength(const QString& path) {
    constexpr int MaxPathBytes = PATH_MAX - 1;
    if (system::encodeFileName(path).size() > MaxPathBytes)
        throw Error(QStringLiteral("Le chemin de l'image dépasse les %1 octets qu'admet le "
                                   "système : %2")
                        .arg(MaxPathBytes)
                        .arg(path));
}

} // namespace orvandel::desktop
