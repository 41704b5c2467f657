#pragma once

#include <QString>

namespace orvandel::desktop {

// Throws orvandel::Error, naming the limit, for a path longer than the system takes (PATH_MAX
// bytes, terminating zero included): cut to fit, it would name another file, or none, and the
// change would look done.
void checkWallpaperPathLength(const QString& path);

} // namespace orvandel::desktop
