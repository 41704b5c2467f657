#include "desktop/qt/QtNotifyIcon.h"

#include <QPixmap>
#include <QSystemTrayIcon>

#include <gtest/gtest.h>

using namespace orvandel::desktop;
using namespace orvandel::desktop::WindowMessages;

namespace {

// Keeps the messages it is sent.
class MessageLog final : public MessageWindow {
public:
    void Dispatch(TMessage& Message) override { received.push_back(Message); }

    std::vector<TMessage> received;
};

NOTIFYICONDATAW recordFor(MessageWindow& window, const QString& tip) {
    NOTIFYICONDATAW data;
    data.cbSize = 956;
    data.hWnd = &window;
    data.uID = 1;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = 1124;
    QPixmap picture(16, 16);
    picture.fill(Qt::red);
    data.hIcon = QIcon(picture);
    std::copy_n(tip.utf16(), tip.size(), data.szTip.begin());
    return data;
}

} // namespace

TEST(QtNotifyIcon, AddModifyAndDeleteDriveTheTrayIcon) {
    MessageLog window;
    QtNotifyIcon notifyIcon;
    auto& tray = *notifyIcon.findChild<QSystemTrayIcon*>();
    NOTIFYICONDATAW data = recordFor(window, QStringLiteral("premier"));
    notifyIcon.Shell_NotifyIconW(NotifyIconMessage::NIM_ADD, data);
    EXPECT_TRUE(tray.isVisible());
    EXPECT_EQ(tray.toolTip(), "premier");

    data = recordFor(window, QStringLiteral("second"));
    EXPECT_TRUE(notifyIcon.Shell_NotifyIconW(NotifyIconMessage::NIM_MODIFY, data));
    EXPECT_EQ(tray.toolTip(), "second");
    MessageLog stranger;
    EXPECT_FALSE(notifyIcon.Shell_NotifyIconW(NotifyIconMessage::NIM_DELETE,
                                              recordFor(stranger, QString())));
    EXPECT_TRUE(tray.isVisible());
    EXPECT_TRUE(notifyIcon.Shell_NotifyIconW(NotifyIconMessage::NIM_DELETE, data));
    EXPECT_FALSE(tray.isVisible());
}

TEST(QtNotifyIcon, ATipCutInsideASurrogatePairLosesTheHalf) {
    MessageLog window;
    QtNotifyIcon notifyIcon;
    const QString tip = QString(126, u'a') + QStringLiteral("\U0001F30A");
    NOTIFYICONDATAW data = recordFor(window, tip.left(127));
    notifyIcon.Shell_NotifyIconW(NotifyIconMessage::NIM_ADD, data);
    EXPECT_EQ(notifyIcon.findChild<QSystemTrayIcon*>()->toolTip(), tip.left(126));
}

TEST(QtNotifyIcon, PressesReachTheWindowAsMouseMessages) {
    MessageLog window;
    QtNotifyIcon notifyIcon;
    auto& tray = *notifyIcon.findChild<QSystemTrayIcon*>();
    emit tray.activated(QSystemTrayIcon::Trigger);
    EXPECT_TRUE(window.received.empty());

    notifyIcon.Shell_NotifyIconW(NotifyIconMessage::NIM_ADD, recordFor(window, QString()));
    for (const auto reason :
         {QSystemTrayIcon::Trigger, QSystemTrayIcon::Context, QSystemTrayIcon::MiddleClick,
          QSystemTrayIcon::DoubleClick, QSystemTrayIcon::Unknown})
        emit tray.activated(reason);
    std::vector<std::intptr_t> codes;
    for (const TMessage& message : window.received) {
        EXPECT_EQ(message.Msg, 1124U);
        EXPECT_EQ(message.WParam, 1U);
        codes.push_back(message.LParam);
    }
    EXPECT_EQ(codes, (std::vector<std::intptr_t>{WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN,
                                                 WM_LBUTTONDBLCLK}));
}
