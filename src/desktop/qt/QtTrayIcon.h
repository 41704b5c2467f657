#pragma once

#include "desktop/TrayIcon.h"

#include <QSystemTrayIcon>

namespace orvandel::desktop {

// The tray icon through QSystemTrayIcon, which docks into an XEmbed tray or registers a
// StatusNotifierItem, whichever the desktop offers. The desktop's tray reports presses, not
// releases: a left, right or middle press and a left double click.
class QtTrayIcon final : public TrayIcon {
    Q_OBJECT

public:
    QtTrayIcon();

    void show() override;
    void hide() override;
    void setIcon(const QIcon& icon) override;
    void setTip(const QString& tip) override;
    bool available() const override;

private:
    void report(QSystemTrayIcon::ActivationReason reason);

    QSystemTrayIcon tray{this};
};

} // namespace orvandel::desktop
