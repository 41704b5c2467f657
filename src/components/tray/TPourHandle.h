#pragma once

#include "desktop/WindowMessage.h"

#include <QObject>

namespace orvandel {

class TPiconeBarreTache;

// The window the notification-area icon reports to: message 1124 goes to TrayMessage, every other
// message to the default handling.
class TPourHandle final : public QObject, public desktop::MessageWindow {
    Q_OBJECT

public:
    explicit TPourHandle(TPiconeBarreTache& AOwner);

    void Dispatch(desktop::TMessage& Message) override;

private:
    void TrayMessage(desktop::TMessage& Msg);

    TPiconeBarreTache& component;
};

} // namespace orvandel
