#pragma once

#include "desktop/NotifyIcon.h"

#include <QString>

#include <functional>
#include <utility>
#include <vector>

// Records every notification-area call with a copy of its record, and plays the desktop's part:
// mouse notifications to the registered window, and the tray host coming back.
class RecordingNotifyIcon final : public orvandel::desktop::NotifyIcon {
public:
    struct Call {
        orvandel::desktop::NotifyIconMessage message;
        orvandel::desktop::NOTIFYICONDATAW data;

        QString tip() const { return QString::fromUtf16(data.szTip.data()); }
    };

    bool Shell_NotifyIconW(orvandel::desktop::NotifyIconMessage message,
                           const orvandel::desktop::NOTIFYICONDATAW& data) override {
        calls.push_back({message, data});
        return succeeds;
    }
    void setTaskbarCreatedHandler(std::function<void()> handler) override {
        taskbarCreated = std::move(handler);
    }

    // The user acts on the icon last sent: LParam is the mouse message.
    void mouse(std::uint32_t mouseMessage) {
        const auto& data = calls.back().data;
        orvandel::desktop::TMessage message{data.uCallbackMessage, data.uID, mouseMessage};
        data.hWnd->Dispatch(message);
    }
    void restartTrayHost() {
        if (taskbarCreated)
            taskbarCreated();
    }

    // Whether the desktop takes the calls.
    bool succeeds = true;
    std::vector<Call> calls;
    std::function<void()> taskbarCreated;
};
