#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>

namespace orvandel::desktop {

// Hears a tray host taking the system tray selection: the MANAGER message it broadcasts on the
// root window when it starts, also after the previous host went away.
class TrayHostWatchX11 final : public QObject, public QAbstractNativeEventFilter {
    Q_OBJECT

public:
    explicit TrayHostWatchX11(QObject* parent);
    ~TrayHostWatchX11() override;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

signals:
    void trayHostAppeared();

private:
    bool announcesTrayHost(const void* event) const;

    unsigned managerAtom = 0;
};

} // namespace orvandel::desktop
