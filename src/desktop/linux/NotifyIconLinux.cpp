#include "TrayHostWatchX11.h"
#include "desktop/NotifyIcon.h"
#include "desktop/qt/QtNotifyIcon.h"

namespace orvandel::desktop {

std::unique_ptr<NotifyIcon> createNotifyIcon() {
    auto icon = std::make_unique<QtNotifyIcon>();
    icon->keepTrayHostWatch(std::make_unique<TrayHostWatchX11>(
        [target = icon.get()] { target->reportTaskbarCreated(); }));
    return icon;
}

} // namespace orvandel::desktop
