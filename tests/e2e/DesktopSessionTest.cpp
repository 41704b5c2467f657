#include <QDir>
#include <QGuiApplication>
#include <QScreen>

#include <gtest/gtest.h>

// The harness itself: the tests below it rely on a private X display of the asked size and on
// folders that are not the user's.
TEST(DesktopSession, RunsOnAPrivateDisplayOfTheAskedSize) {
    EXPECT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb"));
    EXPECT_EQ(QGuiApplication::primaryScreen()->geometry().size(), QSize(1280, 720));
}

TEST(DesktopSession, KeepsTheUsersFoldersAndDesktopOutOfReach) {
    const QString home = QDir::homePath();
    EXPECT_TRUE(home.startsWith(QStringLiteral("/tmp/orvandel-desktop."))) << home.toStdString();
    EXPECT_TRUE(qEnvironmentVariable("XDG_CONFIG_HOME").startsWith(home));
    EXPECT_TRUE(qEnvironmentVariableIsEmpty("XDG_CURRENT_DESKTOP"));
    EXPECT_FALSE(qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"));
}
