#include "Application.h"

#include "desktop/WallpaperSetterFactory.h"
#include "system/ChangeNotification.h"
#include "system/ExecutableLocation.h"

#include <QApplication>
#include <QScreen>

namespace orvandel::inline app {

namespace {

QSize screenPixels() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->size() * screen->devicePixelRatio() : QSize(1920, 1080);
}

// Ends the event loop without closing the windows: quitting must not run the main window's close
// handler, which writes settings of its own.
void endApplication() {
    QCoreApplication::exit(0);
}

} // namespace

Application::Application()
    : executableFolder(system::executableFolder())
    , report(dialogs)
    , windowMessages(desktop::makeWindowMessageServer())
    , startupRegistration(system::createStartupRegistration())
    , taskbarButton(desktop::createTaskbarButton())
    , trayIcon(desktop::createTrayIcon())
    , mainForm(*taskbarButton) {}

// The watcher stops once the message loop has ended, before the windows it reports to go.
Application::~Application() {
    watcher.DestructionNotification();
}

// Each window runs its creation handler as it is made, the main window's start-up first, before
// any other window exists.
void Application::createWindows() {
    FOrvandel = std::make_unique<TFOrvandel>(MainWindowServices{
        state, report, dialogs, random, executableFolder, screenPixels(), mainForm, *trayIcon,
        *taskbarButton, [] { return desktop::createWallpaperSetter(); }});
    connectMainWindow();
    report.run([this] { FOrvandel->FormCreate(); });
    mainForm.setForm(FOrvandel.get());
    FormOptions = std::make_unique<TFormOptions>(
        OptionsDialogServices{state, *startupRegistration, folderDialog, report, executableFolder,
                              system::executablePath()});
    connectOptionsDialog();
    FormAide = std::make_unique<TFormAide>();
    FormAPropos = std::make_unique<TFormAPropos>();
    FormImages =
        std::make_unique<TFormImages>(executableFolder, state, pictureOpenDialog, dialogs, report);
    FormSlideShow =
        std::make_unique<TFormSlideShow>(SlideShowServices{report, dialogs, state, folderDialog});
    report.run([this] { FormSlideShow->FormCreate(); });
    connectWindowCommands();
}

// What the start-up sequence itself signals: the folder watcher, and the end on a close request.
void Application::connectMainWindow() {
    TFOrvandel* window = FOrvandel.get();
    QObject::connect(
        window, &TFOrvandel::folderWatchRequested, window, [this](const QString& DossierImages) {
            watcher.CreationNotification(DossierImages, false, system::ChangeFilter::FileName,
                                         [this] { FOrvandel->ChargerOptions(); });
        });
    QObject::connect(window, &TFOrvandel::endRequested, window, endApplication);
}

// The main window and the options dialog write into each other: the counter one way, the
// listing and the timer the other; the quit command runs the dialog's confirmation.
void Application::connectOptionsDialog() {
    TFOrvandel* window = FOrvandel.get();
    TFormOptions* options = FormOptions.get();
    QObject::connect(window, &TFOrvandel::counterCopied, options, &TFormOptions::setCounter);
    QObject::connect(window, &TFOrvandel::quitRequested, options, &TFormOptions::confirmAndEnd);
    QObject::connect(options, &TFormOptions::albumListingRequested, window,
                     &TFOrvandel::ChargerOptions);
    QObject::connect(options, &TFormOptions::closed, window, &TFOrvandel::enableRotationTimer);
    QObject::connect(options, &TFormOptions::endRequested, window, endApplication);
}

// The picture buttons and menu items that show the other windows.
void Application::connectWindowCommands() {
    TFOrvandel* window = FOrvandel.get();
    QObject::connect(window, &TFOrvandel::optionsRequested, window, [this] {
        FormOptions->show();
        FormOptions->raise();
        FormOptions->activateWindow();
    });
    QObject::connect(window, &TFOrvandel::helpRequested, window, [this] { FormAide->Show(); });
    QObject::connect(window, &TFOrvandel::aboutRequested, window, [this] { FormAPropos->Show(); });
    QObject::connect(window, &TFOrvandel::importRequested, window, [this] { FormImages->exec(); });
    QObject::connect(window, &TFOrvandel::slideShowRequested, window, [this] {
        FormSlideShow->show();
        FormSlideShow->raise();
        FormSlideShow->activateWindow();
    });
}

// The channel opens first, so that a second start finds the program while it is still starting;
// messages are read once the event loop runs.
void Application::start() {
    listenForWindowMessages();
    createWindows();
    // Hidden behind the tray icon, unless the desktop has no notification area to bring it back.
    mainForm.showAtStart();
}

void Application::listenForWindowMessages() {
    windowMessages->listen([this](const desktop::WindowMessage& message) {
        if (message.message == desktop::WM_APPELMESSAGE && FOrvandel)
            report.run([&] { FOrvandel->WMAppelMessage(message.lParam); });
    });
}

} // namespace orvandel::inline app
