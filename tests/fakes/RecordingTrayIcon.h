#pragma once

#include "desktop/TrayIcon.h"

#include <QIcon>
#include <QString>

#include <vector>

// Records every call with the icon and tip the icon holds after it, and plays the desktop's part:
// mouse actions on the icon, and the tray host coming back.
class RecordingTrayIcon final : public orvandel::desktop::TrayIcon {
public:
    enum class Request { Show, Hide, SetIcon, SetTip };
    struct Call {
        Request request;
        QIcon icon;
        QString tip;
    };

    void show() override { record(Request::Show); }
    void hide() override { record(Request::Hide); }
    void setIcon(const QIcon& picture) override {
        icon = picture;
        record(Request::SetIcon);
    }
    void setTip(const QString& text) override {
        tip = text;
        record(Request::SetTip);
    }
    bool available() const override { return hostPresent; }

    void mouse(orvandel::desktop::TrayMouse action) { emit activated(action); }
    void restartTrayHost() { emit hostRestarted(); }

    // Whether the desktop shows a notification area: none until a test says so.
    bool hostPresent = false;
    QIcon icon;
    QString tip;
    std::vector<Call> calls;

private:
    void record(Request request) { calls.push_back({request, icon, tip}); }
};
