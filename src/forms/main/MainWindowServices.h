#pragma once

#include "components/tray/MainForm.h"
#include "desktop/Dialogs.h"
#include "desktop/TaskbarButton.h"
#include "desktop/TrayIcon.h"
#include "logic/ErrorReport.h"
#include "logic/rotation/RandomIndex.h"
#include "logic/settings/ProgramState.h"
#include "logic/wallpaper/ApplyWallPaper.h"

#include <QSize>
#include <QString>

namespace orvandel::inline forms {

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
    // The main form, the notification area and the taskbar button, for the window's tray icon.
    MainForm& mainForm;
    desktop::TrayIcon& trayIcon;
    desktop::TaskbarButton& taskbarButton;
    // Makes the desktop's wallpaper setter for each change; see Utils::ApplyWallPaper.
    Utils::WallpaperSetterMaker wallpaperSetter;
};

} // namespace orvandel::inline forms
