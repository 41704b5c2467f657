#include "QtTrayIcon.h"

#include <optional>

namespace orvandel::desktop {

namespace {

std::optional<TrayMouse> actionOf(QSystemTrayIcon::ActivationReason reason) {
    switch (reason) {
    case QSystemTrayIcon::Trigger:
        return TrayMouse::LeftPress;
    case QSystemTrayIcon::Context:
        return TrayMouse::RightPress;
    case QSystemTrayIcon::MiddleClick:
        return TrayMouse::MiddlePress;
    case QSystemTrayIcon::DoubleClick:
        return TrayMouse::LeftDoubleClick;
    case QSystemTrayIcon::Unknown:
        break;
    }
    return std::nullopt;
}

} // namespace

QtTrayIcon::QtTrayIcon() {
    connect(&tray, &QSystemTrayIcon::activated, this, &QtTrayIcon::report);
}

void QtTrayIcon::show() {
    // Shown again after the tray host came back: a fresh dock, not the lost one.
    tray.hide();
    tray.show();
}

void QtTrayIcon::hide() {
    tray.hide();
}

void QtTrayIcon::setIcon(const QIcon& icon) {
    tray.setIcon(icon);
}

void QtTrayIcon::setTip(const QString& tip) {
    tray.setToolTip(tip);
}

bool QtTrayIcon::available() const {
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void QtTrayIcon::report(QSystemTrayIcon::ActivationReason reason) {
    if (const std::optional<TrayMouse> action = actionOf(reason))
        emit activated(*action);
}

} // namespace orvandel::desktop
