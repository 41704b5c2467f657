#pragma once

#include "desktop/TaskbarButton.h"

#include <QObject>
#include <QPointer>

namespace orvandel::desktop {

// The taskbar button is the main form's own: hiding it puts the form in the skip-taskbar state,
// and asking for attention raises the form's demands-attention state, both in _NET_WM_STATE where
// every EWMH taskbar reads them. Away from X11 only the call for attention is made, through the
// toolkit.
class TaskbarButtonX11 final : public QObject, public TaskbarButton {
    Q_OBJECT

public:
    void setMainForm(QWidget* form) override;
    void show() override;
    void hide() override;
    void askForAttention() override;
    void stopAskingForAttention() override;
    bool asksForAttention() const override;
    void bringToFront(QWidget& window) override;
    void bringApplicationToFront() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void applyStates();

    QPointer<QWidget> mainForm;
    bool skipTaskbar = false;
    bool demandsAttention = false;
};

} // namespace orvandel::desktop
