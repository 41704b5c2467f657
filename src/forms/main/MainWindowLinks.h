#pragma once

#include "components/tray/MainForm.h"
#include "desktop/Dialogs.h"
#include "desktop/TaskbarButton.h"
#include "desktop/TrayIcon.h"
#include "logic/ErrorReport.h"
#include "logic/rotation/RandomIndex.h"
#include "logic/settings/ProgramState.h"

#include <QSize>
#include <QString>

#include <cstdint>
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
    // The main form, the notification area and the taskbar button, for the window's tray icon.
    MainForm& mainForm;
    desktop::TrayIcon& trayIcon;
    desktop::TaskbarButton& taskbarButton;
};

// What the main window reaches in the other windows and services. The application object wires
// each one; a link left empty stands for a piece the program does not have.
struct MainWindowLinks {
    // Utils::ApplyWallPaper: makes the file the wallpaper with the position code.
    std::function<void(const QString& FileName, std::int32_t wpStyle)> ApplyWallPaper;
    // CreationNotification(folder, false, 1): (re)starts the folder watcher on the album folder.
    std::function<void(const QString& folder)> CreationNotification;

    // The options dialog: its folder and album fields, its counter field, its confirmation (which
    // throws when it fails) and showing it.
    std::function<void(const QString& Edt_Dossier, const QString& eNomAlbum)> setOptionsAlbum;
    std::function<void(const QString& eCompteurImages)> setOptionsCounter;
    std::function<void()> BitBtnSaveOKClick;
    std::function<void()> showOptions;

    std::function<void()> showHelp;
    std::function<void()> showAbout;
    std::function<void()> showSlideShow;
    std::function<void()> showImport;

    // Whether the desktop has a notification area to bring a hidden window back from.
    std::function<bool()> notificationAreaAvailable;

    // Ends the message loop.
    std::function<void()> endApplication;
};

} // namespace orvandel
