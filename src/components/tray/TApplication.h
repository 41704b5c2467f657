#pragma once

#include "components/tray/Events.h"
#include "desktop/NotifyIcon.h"
#include "desktop/TaskbarPresence.h"
#include "desktop/WindowMessage.h"

#include <QHash>
#include <QIcon>
#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>

namespace orvandel {

using TWndMethod = std::function<void(desktop::TMessage& Message)>;

// The application object the forms and components share: the main form, whether the main form is
// shown when the event loop starts, the activate and minimise events, and the application window
// with its window procedure, which sees the tray host coming back ("TaskbarCreated") and the
// position and style changes of the program's windows (WM_WINDOWPOSCHANGING). The program makes
// one before its forms, hands it the main form once that is fully created, and calls
// showMainFormAtStart just before it runs the event loop.
class TApplication final : public QObject {
    Q_OBJECT

public:
    TApplication(desktop::TaskbarPresence& applicationWindow, desktop::NotifyIcon& trayIcon);
    ~TApplication() override;

    desktop::TaskbarPresence& Handle;

    QWidget* MainForm() const { return mainForm; }
    // Called once the main form has been fully created; until then the application has none.
    void setMainForm(QWidget* form);
    // Whether the event loop shows the main form when it starts.
    bool ShowMainForm = true;
    // What the event loop does when it starts: show the main form unless told not to.
    void showMainFormAtStart();

    TNotifyEvent OnActivate;
    TNotifyEvent OnMinimize;

    // The application window's procedure (GWL_WNDPROC): replaced by whoever wants to see its
    // messages, who passes each one on to the one it replaced.
    TWndMethod WindowProc;
    // Sends a message to the application window.
    void Perform(desktop::TMessage& Message);
    std::uint32_t RegisterWindowMessageW(const QString& name);

    QIcon Icon() const;
    void Restore();
    void ProcessMessages();

signals:
    // A tray host has appeared, after the application window has heard of it ("TaskbarCreated").
    void trayHostAppeared();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void sendWindowPosChanging();
    void reportMinimized(QWidget& form, const QEvent& event);

    desktop::NotifyIcon& notifyIcon;
    QPointer<QWidget> mainForm;
    QHash<QString, std::uint32_t> registeredMessages;
};

// The application window's own procedure: every message is left with a zero result.
void DefWindowProc(desktop::TMessage& Message);

} // namespace orvandel
