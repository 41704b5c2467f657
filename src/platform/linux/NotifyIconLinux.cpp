#include "TrayHostWatchX11.h"
#include "platform/NotifyIcon.h"
#include "platform/qt/QtNotifyIcon.h"

namespace orvandel::platform {

std::unique_ptr<NotifyIcon> createNotifyIcon() {
    auto icon = std::make_unique<QtNotifyIcon>();
    icon->keepTrayHostWatch(std::make_unique<TrayHostWatchX11>(
        [target = icon.get()] { target->reportTaskbarCreated(); }));
    return icon;
}

} // namespace orvandel::platform
