#pragma once

#include <QIcon>
#include <QObject>
#include <QString>

#include <memory>

namespace orvandel::desktop {

// What the user did with the mouse on the tray icon.
enum class TrayMouse {
    Move,
    LeftPress,
    LeftRelease,
    LeftDoubleClick,
    RightPress,
    RightRelease,
    RightDoubleClick,
    MiddlePress,
    MiddleRelease
};

// The program's icon in the desktop's notification area. Icon and tip may be set whether or not
// the icon is shown; a shown icon takes them at once.
class TrayIcon : public QObject {
    Q_OBJECT

public:
    virtual void show() = 0;
    virtual void hide() = 0;
    virtual void setIcon(const QIcon& icon) = 0;
    virtual void setTip(const QString& tip) = 0;
    // Whether the desktop has a notification area to show the icon in.
    virtual bool available() const = 0;

signals:
    // Not every desktop reports every action: some report presses and double clicks only.
    void activated(orvandel::desktop::TrayMouse action);
    // A notification area has appeared, also one that took the place of another: the icons the
    // old one held are gone and must be shown again.
    void hostRestarted();
};

// The implementation for this platform.
std::unique_ptr<TrayIcon> createTrayIcon();

} // namespace orvandel::desktop
