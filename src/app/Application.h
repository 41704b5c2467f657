#pragma once

#include "forms/AlbumPreviewWindow.h"
#include "logic/ErrorReport.h"
#include "logic/settings/ProgramState.h"
#include "platform/qt/QtDialogs.h"

namespace orvandel {

// Owns the program's services and windows, and runs the start-up.
class Application {
public:
    Application();

    void start();

private:
    QString executableFolder;
    platform::QtDialogs dialogs;
    ErrorReport report;
    ProgramState state;
    AlbumPreviewWindow window;
};

} // namespace orvandel
