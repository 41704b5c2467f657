#include "TApplication.h"

#include <QApplication>
#include <QWindowStateChangeEvent>

namespace orvandel {

namespace {

constexpr std::uint32_t FirstRegisteredMessage = 0xC000;

// Events that move, restack, show, hide or recreate a window: what the application window hears
// about as WM_WINDOWPOSCHANGING.
bool changesWindowPosition(QEvent::Type type) {
    switch (type) {
    case QEvent::Show:
    case QEvent::Hide:
    case QEvent::Move:
    case QEvent::ZOrderChange:
    case QEvent::WinIdChange:
    case QEvent::ParentChange:
        return true;
    default:
        return false;
    }
}

} // namespace

void DefWindowProc(desktop::TMessage& Message) {
    Message.Result = 0;
}

TApplication::TApplication(desktop::TaskbarPresence& applicationWindow,
                           desktop::NotifyIcon& trayIcon)
    : Handle(applicationWindow)
    , WindowProc(DefWindowProc)
    , notifyIcon(trayIcon) {
    qApp->installEventFilter(this);
    connect(qApp, &QGuiApplication::applicationStateChanged, this,
            [this](Qt::ApplicationState state) {
                if (state == Qt::ApplicationActive && OnActivate)
                    OnActivate(this);
            });
    trayIcon.setTaskbarCreatedHandler([this] {
        desktop::TMessage Message{RegisterWindowMessageW(QStringLiteral("TaskbarCreated"))};
        Perform(Message);
        emit trayHostAppeared();
    });
}

TApplication::~TApplication() {
    notifyIcon.setTaskbarCreatedHandler({});
    qApp->removeEventFilter(this);
}

void TApplication::setMainForm(QWidget* form) {
    mainForm = form;
    Handle.setMainForm(form);
}

void TApplication::showMainFormAtStart() {
    if (ShowMainForm && mainForm)
        mainForm->show();
}

void TApplication::Perform(desktop::TMessage& Message) {
    WindowProc(Message);
}

std::uint32_t TApplication::RegisterWindowMessageW(const QString& name) {
    const auto known = registeredMessages.constFind(name);
    if (known != registeredMessages.constEnd())
        return *known;
    const auto number =
        FirstRegisteredMessage + static_cast<std::uint32_t>(registeredMessages.size());
    registeredMessages.insert(name, number);
    return number;
}

QIcon TApplication::Icon() const {
    return QApplication::windowIcon();
}

void TApplication::Restore() {
    if (mainForm && mainForm->isMinimized())
        mainForm->setWindowState(mainForm->windowState() & ~Qt::WindowMinimized);
}

void TApplication::ProcessMessages() {
    QCoreApplication::processEvents();
}

bool TApplication::eventFilter(QObject* watched, QEvent* event) {
    if (!watched->isWidgetType())
        return false;
    auto& widget = static_cast<QWidget&>(*watched);
    if (!widget.isWindow())
        return false;
    if (changesWindowPosition(event->type()))
        sendWindowPosChanging();
    else if (event->type() == QEvent::WindowStateChange && &widget == mainForm)
        reportMinimized(widget, *event);
    return false;
}

void TApplication::sendWindowPosChanging() {
    desktop::TMessage Message{desktop::WindowMessages::WM_WINDOWPOSCHANGING};
    Perform(Message);
}

void TApplication::reportMinimized(QWidget& form, const QEvent& event) {
    const auto& change = static_cast<const QWindowStateChangeEvent&>(event);
    const bool minimizedNow = form.windowState().testFlag(Qt::WindowMinimized);
    if (minimizedNow && !change.oldState().testFlag(Qt::WindowMinimized) && OnMinimize)
        OnMinimize(this);
}

} // namespace orvandel
