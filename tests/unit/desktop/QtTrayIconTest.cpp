#include "desktop/qt/QtTrayIcon.h"

#include <QPixmap>
#include <QSystemTrayIcon>

#include <gtest/gtest.h>

#include <vector>

using namespace orvandel::desktop;

TEST(QtTrayIcon, ShowHideIconAndTipDriveTheTrayIcon) {
    QtTrayIcon trayIcon;
    auto& tray = *trayIcon.findChild<QSystemTrayIcon*>();
    QPixmap picture(16, 16);
    picture.fill(Qt::red);
    trayIcon.setIcon(QIcon(picture));
    trayIcon.setTip(QStringLiteral("premier"));
    trayIcon.show();
    EXPECT_TRUE(tray.isVisible());
    EXPECT_EQ(tray.toolTip(), "premier");
    EXPECT_EQ(tray.icon().pixmap(16, 16).toImage().pixelColor(8, 8), QColor(Qt::red));

    trayIcon.setTip(QStringLiteral("second"));
    EXPECT_EQ(tray.toolTip(), "second");
    trayIcon.hide();
    EXPECT_FALSE(tray.isVisible());
}

TEST(QtTrayIcon, PressesAndTheDoubleClickAreReported) {
    QtTrayIcon trayIcon;
    auto& tray = *trayIcon.findChild<QSystemTrayIcon*>();
    std::vector<TrayMouse> reported;
    QObject::connect(&trayIcon, &TrayIcon::activated,
                     [&](TrayMouse action) { reported.push_back(action); });
    for (const auto reason :
         {QSystemTrayIcon::Trigger, QSystemTrayIcon::Context, QSystemTrayIcon::MiddleClick,
          QSystemTrayIcon::DoubleClick, QSystemTrayIcon::Unknown})
        emit tray.activated(reason);
    EXPECT_EQ(reported, (std::vector{TrayMouse::LeftPress, TrayMouse::RightPress,
                                     TrayMouse::MiddlePress, TrayMouse::LeftDoubleClick}));
}
