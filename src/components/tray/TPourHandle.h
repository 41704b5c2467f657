#pragma once

#include "platform/WindowMessage.h"

#include <QObject>

namespace orvandel {

class TPiconeBarreTache;

// The window the notification-area icon reports to: message 1124 goes to TrayMessage, every other
// message to the default handling.
class TPourHandle final : public QObject, public platform::MessageWindow {
    Q_OBJECT

public:
    explicit TPourHandle(TPiconeBarreTache& AOwner);

    void Dispatch(platform::TMessage& Message) override;

private:
    void TrayMessage(platform::TMessage& Msg);

    TPiconeBarreTache& component;
};

} // namespace orvandel
