#include "common/Error.h"
#include "desktop/WallpaperShell.h"
#include "system/linux/FileNameCodec.h"

#include <climits>

namespace orvandel::desktop {

// A path the system takes never has more UTF-16 units than bytes, so this buffer holds it whole.
int wallpaperPathBufferLength() {
    return PATH_MAX;
}

// The system counts a path in the bytes it is given, terminating zero included.
void checkWallpaperPathLength(const QString& path) {
    constexpr int MaxPathBytes = PATH_MAX - 1;
    if (system::encodeFileName(path).size() > MaxPathBytes)
        throw Error(QStringLiteral("Le chemin de l'image dépasse les %1 octets qu'admet le "
                                   "système : %2")
                        .arg(MaxPathBytes)
                        .arg(path));
}

} // namespace orvandel::desktop
