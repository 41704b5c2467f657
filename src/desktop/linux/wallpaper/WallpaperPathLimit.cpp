#include "WallpaperPathLimit.h"

#include "common/Error.h"
#include "common/Messages.h"
#include "system/linux/FileNameCodec.h"

#include <climits>

namespace orvandel::desktop {

void checkWallpaperPathLength(const QString& path) {
    constexpr int MaxPathBytes = PATH_MAX - 1;
    if (system::encodeFileName(path).size() > MaxPathBytes)
        throw Error(formatMessage(
            QStringLiteral("Le chemin de l'image dépasse les %d octets qu'admet le système : %s"),
            {MaxPathBytes, path}));
}

} // namespace orvandel::desktop
