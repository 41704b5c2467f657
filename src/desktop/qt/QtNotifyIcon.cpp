#include "QtNotifyIcon.h"

#include <algorithm>

namespace orvandel::desktop {

namespace {

QString tipText(const NOTIFYICONDATAW& data) {
    const auto end = std::find(data.szTip.begin(), data.szTip.end(), u'\0');
    QString tip = QString::fromUtf16(data.szTip.data(), end - data.szTip.begin());
    // Quirk: a tip cut at 127 units may end in half a surrogate pair, which would show as junk.
    if (!tip.isEmpty() && tip.back().isHighSurrogate())
        tip.chop(1);
    return tip;
}

std::intptr_t mouseMessageOf(QSystemTrayIcon::ActivationReason reason) {
    using namespace WindowMessages;
    switch (reason) {
    case QSystemTrayIcon::Trigger:
        return WM_LBUTTONDOWN;
    case QSystemTrayIcon::Context:
        return WM_RBUTTONDOWN;
    case QSystemTrayIcon::MiddleClick:
        return WM_MBUTTONDOWN;
    case QSystemTrayIcon::DoubleClick:
        return WM_LBUTTONDBLCLK;
    case QSystemTrayIcon::Unknown:
        break;
    }
    return 0;
}

} // namespace

QtNotifyIcon::QtNotifyIcon() {
    connect(&tray, &QSystemTrayIcon::activated, this, &QtNotifyIcon::deliver);
}

bool QtNotifyIcon::Shell_NotifyIconW(NotifyIconMessage message, const NOTIFYICONDATAW& data) {
    switch (message) {
    case NotifyIconMessage::NIM_ADD:
        take(data);
        registered = true;
        // Added again after the tray host came back: a fresh dock, not the lost one.
        tray.hide();
        tray.show();
        return QSystemTrayIcon::isSystemTrayAvailable();
    case NotifyIconMessage::NIM_MODIFY:
        if (!names(data))
            return false;
        take(data);
        return true;
    case NotifyIconMessage::NIM_DELETE:
        if (!names(data))
            return false;
        tray.hide();
        registered = false;
        return true;
    }
    return false;
}

void QtNotifyIcon::setTaskbarCreatedHandler(std::function<void()> handler) {
    taskbarCreated = std::move(handler);
}

void QtNotifyIcon::reportTaskbarCreated() {
    if (taskbarCreated)
        taskbarCreated();
}

void QtNotifyIcon::keepTrayHostWatch(std::unique_ptr<QObject> watch) {
    trayHostWatch = std::move(watch);
}

bool QtNotifyIcon::names(const NOTIFYICONDATAW& data) const {
    return registered && data.hWnd == window && data.uID == id;
}

void QtNotifyIcon::take(const NOTIFYICONDATAW& data) {
    window = data.hWnd;
    id = data.uID;
    if (data.uFlags & NIF_MESSAGE)
        callbackMessage = data.uCallbackMessage;
    if (data.uFlags & NIF_ICON)
        tray.setIcon(data.hIcon);
    if (data.uFlags & NIF_TIP)
        tray.setToolTip(tipText(data));
}

void QtNotifyIcon::deliver(QSystemTrayIcon::ActivationReason reason) {
    const std::intptr_t mouseMessage = mouseMessageOf(reason);
    if (!registered || !window || mouseMessage == 0)
        return;
    TMessage message{callbackMessage, id, mouseMessage};
    window->Dispatch(message);
}

} // namespace orvandel::desktop
