#include "desktop/TaskbarButton.h"

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
TEST(TaskbarButtonDesktop, TheHiddenMainFormCarriesTheTaskbarAndAttentionStates) {
    QWidget form;
    const auto taskbar = createTaskbarButton();
    taskbar->hide();
    taskbar->setMainForm(&form);
    EXPECT_TRUE(windowState(form).contains("_NET_WM_STATE_SKIP_TASKBAR"));

    taskbar->askForAttention();
    EXPECT_TRUE(taskbar->asksForAttention());
    EXPECT_TRUE(windowState(form).contains("_NET_WM_STATE_DEMANDS_ATTENTION"));
    taskbar->stopAskingForAttention();
    EXPECT_FALSE(taskbar->asksForAttention());
    EXPECT_FALSE(windowState(form).contains("_NET_WM_STATE_DEMANDS_ATTENTION"));

    taskbar->show();
    EXPECT_FALSE(windowState(form).contains("_NET_WM_STATE_SKIP_TASKBAR"));
}

TEST(TaskbarButtonDesktop, TheToolkitKeepsTheStateWhenItShowsTheForm) {
    QWidget form;
    const auto taskbar = createTaskbarButton();
    taskbar->setMainForm(&form);
    taskbar->hide();
    form.show();
    QTest::qWait(200);
    EXPECT_TRUE(windowState(form).contains("_NET_WM_STATE_SKIP_TASKBAR"));
}
