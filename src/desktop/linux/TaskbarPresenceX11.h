#pragma once

#include "desktop/TaskbarPresence.h"

#include <QObject>
#include <QPointer>

namespace orvandel::desktop {

// The taskbar button is the main form's own: hiding it puts the form in the skip-taskbar state,
// and flashing raises the form's demands-attention state, both in _NET_WM_STATE where every
// EWMH taskbar reads them. Away from X11 only the call for attention is made, through the toolkit.
class TaskbarPresenceX11 final : public QObject, public TaskbarPresence {
    Q_OBJECT

public:
    void setMainForm(QWidget* form) override;
    void ShowWindow(ShowCommand command) override;
    void FlashWindow(FlashInvert invert) override;
    void FlashWindowEx(const FLASHWINFO& info) override;
    void SetForegroundWindow(QWidget* window) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void applyStates();

    QPointer<QWidget> mainForm;
    bool skipTaskbar = false;
    bool demandsAttention = false;
};

} // namespace orvandel::desktop
