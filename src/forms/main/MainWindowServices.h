#pragma once

#include "components/tray/TApplication.h"
#include "desktop/Dialogs.h"
#include "desktop/NotifyIcon.h"
#include "logic/ErrorReport.h"
#include "logic/rotation/RandomIndex.h"
#include "logic/settings/ProgramState.h"
#include "logic/wallpaper/ApplyWallPaper.h"

#include <QSize>
#include <QString>

#include <functional>

namespace orvandel {

// The services the main window works with, owned by the application object.
struct MainWindowServices {
    ProgramState& state;
    ErrorReport& report;
    desktop::Dialogs& dialogs;
    RandomIndex& random;
    // Ends with a separator.
    QString executableFolder;
    // The preview holds pictures bounded to this size, what the calendar stretches them to.
    QSize screenSize;
    // The application object and the notification area, for the window's tray icon.
    TApplication& Application;
    desktop::NotifyIcon& trayIcon;
    // Whether the desktop has a notification area to bring a hidden window back from.
    std::function<bool()> notificationAreaAvailable;
    // Makes the desktop's wallpaper shell for each change; see Utils::ApplyWallPaper.
    Utils::WallpaperShellMaker wallpaperShell;
};

} // namespace orvandel
