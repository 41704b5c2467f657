#pragma once

#include <QList>

#include <optional>

namespace orvandel::desktop {

// What pcmanfm-qt shows on the X11 display: the processes drawing its desktop, and whether any of
// its other windows (a file manager, a dialog) is open.
struct PcmanfmQtWindows {
    QList<qint64> desktopProcesses;
    bool otherWindowsOpen = false;
};

// Empty when the program does not run on X11, where the windows cannot be looked at.
std::optional<PcmanfmQtWindows> pcmanfmQtWindows();

} // namespace orvandel::desktop
