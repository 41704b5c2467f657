#pragma once

#include "forms/import/TFormImages.h"
#include "forms/main/TFOrvandel.h"
#include "logic/ErrorReport.h"
#include "logic/rotation/RandomIndex.h"
#include "logic/settings/ProgramState.h"
#include "platform/WindowMessages.h"
#include "platform/qt/QtDialogs.h"
#include "platform/qt/QtPictureOpenDialog.h"

#include <memory>

namespace orvandel {

// Owns the program's services and windows: creates the windows in their order, each running its
// creation handler, and hands the other windows' operations to the main window.
class Application {
public:
    Application();
    ~Application();

    void start();

private:
    MainWindowLinks mainWindowLinks();
    void listenForWindowMessages();
    void showFirstWindow();

    QString executableFolder;
    platform::QtDialogs dialogs;
    ErrorReport report;
    ProgramState state;
    // Seeded once, at start-up.
    ClockSeededRandomIndex random;
    std::unique_ptr<platform::WindowMessageServer> windowMessages;
    platform::QtPictureOpenDialog pictureOpenDialog;
    // The windows, created once in this order and destroyed only at the end.
    std::unique_ptr<TFOrvandel> FOrvandel;
    std::unique_ptr<TFormImages> FormImages;
};

} // namespace orvandel
