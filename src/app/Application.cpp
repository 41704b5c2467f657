#include "Application.h"

#include "logic/albums/AlbumListing.h"
#include "platform/ExecutableLocation.h"

namespace orvandel {

Application::Application()
    : executableFolder(platform::executableFolder())
    , report(dialogs)
    , window(state, settingsFilePath(executableFolder), report) {}

void Application::start() {
    report.run([this] {
        const ProfileFile settings(settingsFilePath(executableFolder));
        applyStoredSettings(state, readSettings(settings, SettingsReader::MainWindow),
                            executableFolder);
        Utils::ListerDesFichiers(state.DossierImages, FiltreImage, false, state.ListeDesImages);
    });
    window.show();
    window.showAlbum();
}

} // namespace orvandel
