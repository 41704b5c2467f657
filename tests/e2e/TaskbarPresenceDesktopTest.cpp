#include "desktop/TaskbarPresence.h"

#include <QProcess>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

using namespace orvandel::desktop;

namespace {

// The window's _NET_WM_STATE as X11 holds it.
QString windowState(const QWidget& window) {
    QProcess xprop;
    xprop.start("xprop", {"-id", QString::number(window.winId()), "_NET_WM_STATE"});
    xprop.waitForFinished(10000);
    return QString::fromLocal8Bit(xprop.readAllStandardOutput());
}

} // namespace

// Without a window manager the state of a window that is not shown is its own property; a shown
// window's state belongs to the window manager, which this desktop does not run.
TEST(TaskbarPresenceDesktop, TheHiddenMainFormCarriesTheTaskbarAndAttentionStates) {
    QWidget form;
    const auto taskbar = createTaskbarPresence();
    taskbar->ShowWindow(ShowCommand::SW_HIDE);
    taskbar->setMainForm(&form);
    EXPECT_TRUE(windowState(form).contains("_NET_WM_STATE_SKIP_TASKBAR"));

    taskbar->FlashWindow(FlashInvert::Invert);
    EXPECT_TRUE(windowState(form).contains("_NET_WM_STATE_DEMANDS_ATTENTION"));
    taskbar->FlashWindow(FlashInvert::Invert);
    EXPECT_FALSE(windowState(form).contains("_NET_WM_STATE_DEMANDS_ATTENTION"));
    taskbar->FlashWindow(FlashInvert::Invert);
    taskbar->FlashWindowEx({20, FLASHW_STOP, 0, 0});
    EXPECT_FALSE(windowState(form).contains("_NET_WM_STATE_DEMANDS_ATTENTION"));

    taskbar->ShowWindow(ShowCommand::SW_SHOW);
    EXPECT_FALSE(windowState(form).contains("_NET_WM_STATE_SKIP_TASKBAR"));
}

TEST(TaskbarPresenceDesktop, TheToolkitKeepsTheStateWhenItShowsTheForm) {
    QWidget form;
    const auto taskbar = createTaskbarPresence();
    taskbar->setMainForm(&form);
    taskbar->ShowWindow(ShowCommand::SW_HIDE);
    form.show();
    QTest::qWait(200);
    EXPECT_TRUE(windowState(form).contains("_NET_WM_STATE_SKIP_TASKBAR"));
}
