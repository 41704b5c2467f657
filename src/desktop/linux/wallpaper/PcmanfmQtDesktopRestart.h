#pragma once

#include "CommandRunner.h"

#include <QString>

namespace orvandel::desktop {

// pcmanfm-qt's running desktop keeps in memory the wallpaper mode it read at its start, and saves
// it back at its end: only a start that reads the profile with `mode` makes that mode last.
// Restarts the desktop running in `profile` so that it does, when no other pcmanfm-qt window is
// open; the profile holds `mode` in any case afterwards.
void restartPcmanfmQtDesktop(const CommandRunner& commands, const QString& profile,
                             const QString& mode);

} // namespace orvandel::desktop
