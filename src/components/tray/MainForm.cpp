#include "MainForm.h"

#include <QGuiApplication>
#include <QWindowStateChangeEvent>

namespace orvandel::inline components {

MainForm::MainForm(desktop::TaskbarButton& button)
    : taskbarButton(button) {
    connect(qGuiApp, &QGuiApplication::applicationStateChanged, this,
            [this](Qt::ApplicationState state) {
                if (state == Qt::ApplicationActive)
                    emit applicationActivated();
            });
}

void MainForm::setForm(QWidget* form) {
    if (mainForm)
        mainForm->removeEventFilter(this);
    mainForm = form;
    if (form)
        form->installEventFilter(this);
    taskbarButton.setMainForm(form);
}

void MainForm::showAtStart() {
    if (mainForm && !hiddenAtStart)
        mainForm->show();
}

void MainForm::restore() {
    if (mainForm && mainForm->isMinimized())
        mainForm->setWindowState(mainForm->windowState() & ~Qt::WindowMinimized);
}

bool MainForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched != mainForm || event->type() != QEvent::WindowStateChange)
        return false;
    const auto& change = static_cast<const QWindowStateChangeEvent&>(*event);
    if (mainForm->isMinimized() && !change.oldState().testFlag(Qt::WindowMinimized))
        emit minimized();
    return false;
}

} // namespace orvandel::inline components
