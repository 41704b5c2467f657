#pragma once

#include "desktop/TaskbarButton.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

namespace orvandel::inline components {

// The application's main form as the tray component sees it: absent until the program has fully
// created it, shown when the event loop starts unless it was hidden before it existed, carrying
// the taskbar button, and telling when the application becomes active and when the form is
// minimised.
class MainForm final : public QObject {
    Q_OBJECT

public:
    explicit MainForm(desktop::TaskbarButton& taskbarButton);

    // Null until setForm.
    QWidget* form() const { return mainForm; }
    // Called once the main form has been fully created; it then carries the taskbar button.
    void setForm(QWidget* form);

    // Keeps the form hidden when the event loop starts.
    void keepHiddenAtStart() { hiddenAtStart = true; }
    // What the program does as the event loop starts: show the form unless told not to.
    void showAtStart();
    // Takes the form out of the minimised state.
    void restore();

signals:
    void applicationActivated();
    void minimized();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    desktop::TaskbarButton& taskbarButton;
    QPointer<QWidget> mainForm;
    bool hiddenAtStart = false;
};

} // namespace orvandel::inline components
