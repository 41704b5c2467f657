#include "TrayHostWatchX11.h"
#include "desktop/qt/QtTrayIcon.h"

namespace orvandel::desktop {

std::unique_ptr<TrayIcon> createTrayIcon() {
    auto icon = std::make_unique<QtTrayIcon>();
    auto* watch = new TrayHostWatchX11(icon.get());
    QObject::connect(watch, &TrayHostWatchX11::trayHostAppeared, icon.get(),
                     &TrayIcon::hostRestarted);
    return icon;
}

} // namespace orvandel::desktop
