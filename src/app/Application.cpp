#include "Application.h"

#include "logic/wallpaper/ApplyWallPaper.h"
#include "logic/watch/UThreadNotification.h"
#include "system/ExecutableLocation.h"
#include "system/FileNames.h"

#include <QApplication>
#include <QLineEdit>
#include <QScreen>

namespace orvandel {

namespace {

QSize screenPixels() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->size() * screen->devicePixelRatio() : QSize(1920, 1080);
}

// The watcher's notification filter: file names created, deleted or renamed.
constexpr std::uint32_t FILE_NOTIFY_CHANGE_FILE_NAME = 1;

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
    UThreadNotification::DestructionNotification();
}

MainWindowLinks Application::mainWindowLinks() {
    MainWindowLinks links;
    links.ApplyWallPaper = [](const QString& FileName, std::int32_t wpStyle) {
        Utils::ApplyWallPaper(FileName, wpStyle);
    };
    links.CreationNotification = [this](const QString& folder) {
        UThreadNotification::CreationNotification(
            folder, false, FILE_NOTIFY_CHANGE_FILE_NAME, [this] { FOrvandel->ChargerOptions(); },
            report);
    };
    links.setOptionsAlbum = [this](const QString& folder, const QString& name) {
        if (FormOptions) {
            FormOptions->Edt_Dossier().setText(system::readableText(folder));
            FormOptions->eNomAlbum().setText(name);
        }
    };
    links.setOptionsCounter = [this](const QString& counter) {
        if (FormOptions)
            FormOptions->eCompteurImages().setText(counter);
    };
    links.BitBtnSaveOKClick = [this] { FormOptions->BitBtnSaveOKClick(); };
    links.showOptions = [this] {
        FormOptions->show();
        FormOptions->raise();
        FormOptions->activateWindow();
    };
    links.showHelp = [this] { FormAide->Show(); };
    links.showAbout = [this] { FormAPropos->Show(); };
    links.showImport = [this] { FormImages->exec(); };
    links.showSlideShow = [this] {
        FormSlideShow->show();
        FormSlideShow->raise();
        FormSlideShow->activateWindow();
    };
    links.notificationAreaAvailable = [this] { return trayIcon->available(); };
    // Ends the event loop without closing the windows: quitting must not run the main window's
    // close handler, which writes settings of its own.
    links.endApplication = [] { QCoreApplication::exit(0); };
    return links;
}

// Each window runs its creation handler as it is made, the main window's start-up first, before
// any other window exists.
void Application::createWindows() {
    FOrvandel = std::make_unique<TFOrvandel>(
        MainWindowServices{state, report, dialogs, random, executableFolder, screenPixels(),
                           mainForm, *trayIcon, *taskbarButton},
        mainWindowLinks());
    report.run([this] { FOrvandel->FormCreate(); });
    mainForm.setForm(FOrvandel.get());
    FormOptions = std::make_unique<TFormOptions>(
        OptionsDialogServices{state, *FOrvandel, *startupRegistration, folderDialog, report,
                              executableFolder, system::executablePath()});
    FormAide = std::make_unique<TFormAide>();
    FormAPropos = std::make_unique<TFormAPropos>();
    FormImages = std::make_unique<TFormImages>(executableFolder, state.eCptImagesAlbum,
                                               pictureOpenDialog, dialogs, report);
    FormSlideShow =
        std::make_unique<TFormSlideShow>(SlideShowServices{report, dialogs, state, folderDialog});
    report.run([this] { FormSlideShow->FormCreate(); });
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

} // namespace orvandel
