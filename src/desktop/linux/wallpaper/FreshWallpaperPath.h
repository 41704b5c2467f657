#pragma once

#include <QString>

namespace orvandel::desktop {

// What names a desktop's setting can carry. Most keep the path as text (a D-Bus or GSettings
// string, a Qt program's command line or configuration), which must be UTF-8: a file whose name
// is not could never be found from it. A file URI carries any bytes, percent-encoded.
enum class DesktopNames { TextOnly, AnyBytes };

// Desktops ignore a setting given the value it already holds, so a file rewritten at the same
// path (the calendar) would keep showing its old content. When a back-end is asked for the path
// it gave the desktop last, it gives a fresh copy in the program's cache folder instead; the copy
// given before is removed once the desktop holds the new value. A desktop that only takes text
// gets such a copy, under a name of plain text, for every file whose name is not UTF-8.
class FreshWallpaperPath {
public:
    // `backEnd` names the record kept for one back-end.
    explicit FreshWallpaperPath(const QString& backEnd,
                                DesktopNames names = DesktopNames::TextOnly);

    // The path to hand to the desktop for `path`, copying the file when needed.
    QString pathFor(const QString& path);
    // Called once the desktop holds the path: records it and removes older copies.
    void applied();

private:
    QString freshCopy(const QString& path) const;

    QString folder;
    QString recordPath;
    DesktopNames desktopNames;
    QString given;
};

} // namespace orvandel::desktop
