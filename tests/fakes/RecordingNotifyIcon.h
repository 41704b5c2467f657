#pragma once

#include "platform/NotifyIcon.h"

#include <QString>

#include <functional>
#include <utility>
#include <vector>

// Records every notification-area call with a copy of its record, and plays the desktop's part:
// mouse notifications to the registered window, and the tray host coming back.
class RecordingNotifyIcon final : public orvandel::platform::NotifyIcon {
public:
    struct Call {
        orvandel::platform::NotifyIconMessage message;
        orvandel::platform::NOTIFYICONDATAW data;

        QString tip() const { return QString::fromUtf16(data.szTip.data()); }
    };

    bool Shell_NotifyIconW(orvandel::platform::NotifyIconMessage message,
                           const orvandel::platform::NOTIFYICONDATAW& data) override {
        calls.push_back({message, data});
        return succeeds;
    }
    void setTaskbarCreatedHandler(std::function<void()> handler) override {
        taskbarCreated = std::move(handler);
    }

    // The user acts on the icon last sent: LParam is the mouse message.
    void mouse(std::uint32_t mouseMessage) {
        const auto& data = calls.back().data;
        orvandel::platform::TMessage message{data.uCallbackMessage, data.uID, mouseMessage};
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
