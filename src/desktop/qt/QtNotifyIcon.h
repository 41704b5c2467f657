#pragma once

#include "desktop/NotifyIcon.h"

#include <QObject>
#include <QSystemTrayIcon>

#include <memory>

namespace orvandel::desktop {

// The notification-area icon through QSystemTrayIcon, which docks into an XEmbed tray or
// registers a StatusNotifierItem, whichever the desktop offers. It holds one icon, the one last
// added. The desktop's tray reports presses, not releases: a left press, a right press, a middle
// press and a left double click reach the window as WM_LBUTTONDOWN, WM_RBUTTONDOWN,
// WM_MBUTTONDOWN and WM_LBUTTONDBLCLK.
class QtNotifyIcon final : public QObject, public NotifyIcon {
    Q_OBJECT

public:
    QtNotifyIcon();

    bool Shell_NotifyIconW(NotifyIconMessage message, const NOTIFYICONDATAW& data) override;
    void setTaskbarCreatedHandler(std::function<void()> handler) override;

    // Called by what watches the desktop for a tray host, which the icon keeps alive.
    void reportTaskbarCreated();
    void keepTrayHostWatch(std::unique_ptr<QObject> watch);

private:
    bool names(const NOTIFYICONDATAW& data) const;
    void take(const NOTIFYICONDATAW& data);
    void deliver(QSystemTrayIcon::ActivationReason reason);

    QSystemTrayIcon tray{this};
    bool registered = false;
    MessageWindow* window = nullptr;
    std::uint32_t id = 0;
    std::uint32_t callbackMessage = 0;
    std::function<void()> taskbarCreated;
    std::unique_ptr<QObject> trayHostWatch;
};

} // namespace orvandel::desktop
