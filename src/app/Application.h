#pragma once

#include "desktop/WindowMessages.h"
#include "desktop/qt/QtDialogs.h"
#include "desktop/qt/QtFolderDialog.h"
#include "desktop/qt/QtPictureOpenDialog.h"
#include "forms/about/TFormAPropos.h"
#include "forms/about/TFormAide.h"
#include "forms/import/TFormImages.h"
#include "forms/main/TFOrvandel.h"
#include "forms/options/TFormOptions.h"
#include "forms/slideshow/TFormSlideShow.h"
#include "logic/ErrorReport.h"
#include "logic/rotation/RandomIndex.h"
#include "logic/settings/ProgramState.h"
#include "logic/watch/UThreadNotification.h"
#include "system/StartupRegistration.h"

#include <memory>

namespace orvandel::inline app {

// Owns the program's services and windows: creates the windows in their order, each running its
// creation handler, and connects what each window signals to the others and to the services.
class Application {
public:
    Application();
    ~Application();

    void start();

private:
    void createWindows();
    void connectMainWindow();
    void connectOptionsDialog();
    void connectWindowCommands();
    void listenForWindowMessages();

    QString executableFolder;
    desktop::QtDialogs dialogs;
    ErrorReport report;
    ProgramState state;
    // Seeded once, at start-up.
    ClockSeededRandomIndex random;
    UThreadNotification::FolderWatch watcher{report};
    std::unique_ptr<desktop::WindowMessageServer> windowMessages;
    desktop::QtPictureOpenDialog pictureOpenDialog;
    desktop::QtFolderDialog folderDialog;
    std::unique_ptr<system::StartupRegistration> startupRegistration;
    std::unique_ptr<desktop::TaskbarButton> taskbarButton;
    std::unique_ptr<desktop::TrayIcon> trayIcon;
    MainForm mainForm;
    // The windows, created once in this order and destroyed only at the end.
    std::unique_ptr<TFOrvandel> FOrvandel;
    std::unique_ptr<TFormOptions> FormOptions;
    std::unique_ptr<TFormAide> FormAide;
    std::unique_ptr<TFormAPropos> FormAPropos;
    std::unique_ptr<TFormImages> FormImages;
    std::unique_ptr<TFormSlideShow> FormSlideShow;
};

} // namespace orvandel::inline app
