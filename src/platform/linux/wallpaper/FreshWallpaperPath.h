#pragma once

#include <QString>

namespace orvandel::platform {

// Desktops ignore a setting given the value it already holds, so a file rewritten at the same
// path (the calendar) would keep showing its old content. When a back-end is asked for the path
// it gave the desktop last, it gives a fresh copy in the program's cache folder instead; the copy
// given before is removed once the desktop holds the new value.
class FreshWallpaperPath {
public:
    // `backEnd` names the record kept for one back-end.
    explicit FreshWallpaperPath(const QString& backEnd);

    // The path to hand to the desktop for `path`, copying the file when needed.
    QString pathFor(const QString& path);
    // Called once the desktop holds the path: records it and removes older copies.
    void applied();

private:
    QString folder;
    QString recordPath;
    QString given;
};

} // namespace orvandel::platform
