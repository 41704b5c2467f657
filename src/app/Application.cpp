#include "Application.h"

#include "imaging/PictureLoader.h"
#include "platform/ExecutableLocation.h"

#include <QApplication>
#include <QScreen>

namespace orvandel {

namespace {

QSize screenPixels() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->size() * screen->devicePixelRatio() : QSize(1920, 1080);
}

} // namespace

Application::Application()
    : executableFolder(platform::executableFolder())
    , report(dialogs)
    , windowMessages(platform::makeWindowMessageServer())
    , pictureOpenDialog(imaging::loadPictureBounded) {}

Application::~Application() = default;

MainWindowLinks Application::mainWindowLinks() {
    MainWindowLinks links;
    links.endApplication = [] { QCoreApplication::quit(); };
    links.showImport = [this] { FormImages->exec(); };
    return links;
}

void Application::start() {
    FOrvandel = std::make_unique<TFOrvandel>(
        MainWindowServices{state, report, dialogs, random, executableFolder, screenPixels()},
        mainWindowLinks());
    report.run([this] { FOrvandel->FormCreate(); });
    FormImages = std::make_unique<TFormImages>(executableFolder, state.eCptImagesAlbum,
                                               pictureOpenDialog, dialogs, report);
    listenForWindowMessages();
    showFirstWindow();
}

void Application::listenForWindowMessages() {
    windowMessages->listen([this](const platform::WindowMessage& message) {
        if (message.message == TFOrvandel::WM_APPELMESSAGE)
            report.run([&] { FOrvandel->WMAppelMessage(message.lParam); });
    });
}

// The window starts hidden behind the tray icon; a desktop without a notification area could
// never bring it back, so there it starts shown.
void Application::showFirstWindow() {
    FOrvandel->show();
}

} // namespace orvandel
