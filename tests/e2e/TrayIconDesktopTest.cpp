#include "components/tray/MainForm.h"
#include "components/tray/TImageList.h"
#include "components/tray/TPiconeBarreTache.h"
#include "components/tray/TrayPictures.h"
#include "desktop/TaskbarButton.h"
#include "desktop/TrayIcon.h"

#include <QApplication>
#include <QCursor>
#include <QLabel>
#include <QMenu>
#include <QProcess>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <csignal>
#include <optional>

using namespace orvandel;

namespace {

constexpr int Patience = 15000;

QString run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(10000);
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

QStringList trayHostWindows() {
    return run("xdotool", {"search", "--class", "trayer"}).split('\n', Qt::SkipEmptyParts);
}

// The widget the toolkit docks into an XEmbed tray for the icon.
QWidget* dockedIconWidget() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (qstrcmp(widget->metaObject()->className(), "QSystemTrayIconSys") == 0 &&
            widget->testAttribute(Qt::WA_WState_Created))
            return widget;
    }
    return nullptr;
}

QString field(const QString& report, const QString& label) {
    for (const QString& line : report.split('\n')) {
        const qsizetype at = line.indexOf(label);
        if (at >= 0)
            return line.mid(at + label.size()).trimmed().section(' ', 0, 0);
    }
    return {};
}

// Whether the icon's window sits inside a tray host's window, as X11 sees it.
bool isDockedInTrayHost() {
    QWidget* icon = dockedIconWidget();
    if (!icon)
        return false;
    const QStringList hosts = trayHostWindows();
    QString window = QString::number(icon->winId());
    for (int depth = 0; depth < 8; ++depth) {
        const QString report = run("xwininfo", {"-children", "-id", window});
        const QString parent = field(report, "Parent window id:");
        if (parent.isEmpty() || parent == field(report, "Root window id:"))
            return false;
        bool valid = false;
        window = QString::number(parent.toULong(&valid, 16));
        if (hosts.contains(window))
            return true;
    }
    return false;
}

// The centre of the docked icon on the screen, from the X server.
QPoint dockedIconCentre() {
    const QString report = run("xwininfo", {"-id", QString::number(dockedIconWidget()->winId())});
    const int x = field(report, "Absolute upper-left X:").toInt();
    const int y = field(report, "Absolute upper-left Y:").toInt();
    return {x + field(report, "Width:").toInt() / 2, y + field(report, "Height:").toInt() / 2};
}

// Docked, shown, and left where the tray host put it: the host moves an icon after embedding it.
bool isSettledInTrayHost() {
    if (!isDockedInTrayHost())
        return false;
    const QString report = run("xwininfo", {"-id", QString::number(dockedIconWidget()->winId())});
    if (field(report, "Map State:") != QStringLiteral("IsViewable"))
        return false;
    const QPoint before = dockedIconCentre();
    QTest::qWait(300);
    return dockedIconCentre() == before;
}

void clickIcon(int button) {
    const QPoint centre = dockedIconCentre();
    run("xdotool", {"mousemove", QString::number(centre.x()), QString::number(centre.y()), "click",
                    QString::number(button)});
}

QString visibleToolTip() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (qstrcmp(widget->metaObject()->className(), "QTipLabel") == 0 && widget->isVisible())
            return static_cast<QLabel*>(widget)->text();
    }
    return {};
}

} // namespace

// The component as the main window sets it up, with a plain form as its owner and main form.
class TrayIconDesktop : public ::testing::Test {
protected:
    TrayIconDesktop() {
        addTrayPictures(images);
        menu.addAction(QStringLiteral("&Afficher Application"));
        tray.emplace(form, mainForm, *trayIcon, *taskbar);
        tray->SetMenuPop(&menu);
        tray->SetReduireSiFin(false);
        tray->SetCacherSiMinimize(true);
        tray->SetPetiteIconeVisible(true);
        tray->SetGrandeIconeVisible(true);
        tray->SetApplicationCachee(true);
        tray->SetImageList(&images);
        tray->SetIntervalAnimation(1000);
        tray->SetAnimation(false);
        tray->SetNumIconeImageList(0);
        tray->SetHint(QStringLiteral("Orvandel    Version 1.75"));
        tray->SetGrandeIconBlink(false);
        tray->SetIntervalGrandeIconeBlink(1000);
        tray->SetOuvreSiClicGauche(true);
        tray->SetOuvreSiDblClick(false);
        tray->SetMenuSiClicDroit(true);
        tray->SetMenuSiClicGauche(false);
        tray->Loaded();
        form.resize(300, 200);
        mainForm.setForm(&form);
        mainForm.showAtStart();
    }

    std::unique_ptr<desktop::TrayIcon> trayIcon = desktop::createTrayIcon();
    std::unique_ptr<desktop::TaskbarButton> taskbar = desktop::createTaskbarButton();
    MainForm mainForm{*taskbar};
    QWidget form;
    QMenu menu;
    TImageList images;
    std::optional<TPiconeBarreTache> tray;
};

TEST_F(TrayIconDesktop, DocksAndAnswersLeftAndRightPresses) {
    ASSERT_TRUE(QTest::qWaitFor(isSettledInTrayHost, Patience));
    EXPECT_FALSE(form.isVisible());

    clickIcon(1);
    EXPECT_TRUE(QTest::qWaitFor([this] { return form.isVisible(); }, Patience));
    EXPECT_FALSE(menu.isVisible());

    const QPoint pointer = dockedIconCentre();
    clickIcon(3);
    ASSERT_TRUE(QTest::qWaitFor([this] { return menu.isVisible(); }, Patience));
    // The menu opens at the pointer: a corner at it, on whichever side keeps it on the screen.
    const QRect shown = menu.geometry();
    EXPECT_TRUE(shown.adjusted(-2, -2, 2, 2).contains(pointer)) << shown.x() << "," << shown.y();
    EXPECT_EQ(QCursor::pos(), pointer);
    menu.hide();
}

TEST_F(TrayIconDesktop, DocksAgainWithTheCurrentTipAfterTheTrayHostRestarts) {
    ASSERT_TRUE(QTest::qWaitFor(isSettledInTrayHost, Patience));
    tray->SetHint(QStringLiteral("Image actuelle : falaise.jpg"));

    ::kill(qEnvironmentVariable("ORVANDEL_TRAY_PID").toInt(), SIGTERM);
    ASSERT_TRUE(QTest::qWaitFor([&] { return trayHostWindows().isEmpty(); }, Patience));
    QStringList command = QProcess::splitCommand(qEnvironmentVariable("ORVANDEL_TRAY_COMMAND"));
    const QString program = command.takeFirst();
    qint64 restarted = 0;
    ASSERT_TRUE(QProcess::startDetached(program, command, {}, &restarted));

    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return !trayHostWindows().isEmpty() && isSettledInTrayHost(); }, Patience));
    // The tip shows when the pointer comes over the icon.
    const QPoint centre = dockedIconCentre();
    run("xdotool", {"mousemove", "0", "400"});
    run("xdotool", {"mousemove", QString::number(centre.x()), QString::number(centre.y())});
    // Quirk: the toolkit starts the tip's timer on a motion inside the icon, not on entering it.
    QTest::qWait(100);
    run("xdotool", {"mousemove_relative", "1", "1"});
    EXPECT_TRUE(QTest::qWaitFor(
        [] { return visibleToolTip() == QStringLiteral("Image actuelle : falaise.jpg"); },
        Patience))
        << visibleToolTip().toStdString();
    tray.reset();
    ::kill(static_cast<pid_t>(restarted), SIGTERM);
}
