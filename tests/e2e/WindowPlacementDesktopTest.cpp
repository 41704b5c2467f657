#include "RecordingDialogs.h"
#include "ScriptedFolderDialog.h"
#include "ScriptedPictureOpenDialog.h"
#include "TestFolder.h"
#include "forms/about/TFormAPropos.h"
#include "forms/about/TFormAide.h"
#include "forms/import/TFormImages.h"
#include "forms/slideshow/TFormSlideShow.h"
#include "logic/settings/ProgramState.h"

#include <QCursor>
#include <QGuiApplication>
#include <QProcess>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

namespace orvandel {
namespace {

constexpr int PanelHeight = 24;

// A panel across the top of the screen that keeps its rows for itself, as a desktop's panel does;
// there is no window manager to work out the area it leaves.
class WindowPlacementDesktop : public ::testing::Test {
protected:
    WindowPlacementDesktop() {
        panel.start(QStringLiteral("trayer"),
                    {QStringLiteral("--edge"), QStringLiteral("top"), QStringLiteral("--height"),
                     QString::number(PanelHeight), QStringLiteral("--widthtype"),
                     QStringLiteral("percent"), QStringLiteral("--width"), QStringLiteral("100"),
                     QStringLiteral("--SetDockType"), QStringLiteral("true"),
                     QStringLiteral("--SetPartialStrut"), QStringLiteral("true")});
        panel.waitForStarted();
        panelShown = QTest::qWaitFor([] { return panelIsShown(); }, 10000);
        QTest::qWait(300);
    }
    ~WindowPlacementDesktop() override {
        panel.kill();
        panel.waitForFinished();
    }

    static bool panelIsShown() {
        QProcess search;
        search.start(QStringLiteral("xdotool"),
                     {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                      QStringLiteral("--class"), QStringLiteral("trayer")});
        return search.waitForFinished() && search.exitCode() == 0;
    }

    // The screen less the panel.
    static QRect availableArea() {
        return QGuiApplication::primaryScreen()->geometry().adjusted(0, PanelHeight, 0, 0);
    }

    static void showAndSettle(QWidget& window) {
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        QTest::qWait(200);
    }

    QProcess panel;
    bool panelShown = false;
};

TEST_F(WindowPlacementDesktop, AboutWindowOpenedFromTheTopRightCornerStaysBelowThePanel) {
    ASSERT_TRUE(panelShown);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QCursor::setPos(screen.right() - 5, 3);
    TFormAPropos about;
    about.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
    // Just left of the cursor, as far up as the panel lets it.
    EXPECT_TRUE(availableArea().contains(about.frameGeometry()))
        << about.frameGeometry().x() << "," << about.frameGeometry().y();
    EXPECT_EQ(about.frameGeometry().topRight(), QPoint(screen.right() - 6, PanelHeight));
}

TEST_F(WindowPlacementDesktop, HelpWindowOpensCentredOnTheAreaLeftByThePanel) {
    ASSERT_TRUE(panelShown);
    TFormAide help;
    help.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&help));
    EXPECT_EQ(help.frameGeometry().center(), availableArea().center());
}

// The documented place where the window fits, the area's corner where it is too large.
QPoint expectedPlace(QPoint documented, QSize size) {
    const QRect area = QGuiApplication::primaryScreen()->geometry().adjusted(0, PanelHeight, 0, 0);
    return {std::max(area.left(), std::min(documented.x(), area.right() + 1 - size.width())),
            std::max(area.top(), std::min(documented.y(), area.bottom() + 1 - size.height()))};
}

TEST_F(WindowPlacementDesktop, ImportDialogOpensAtItsPlaceOrAsNearAsTheScreenAllows) {
    ASSERT_TRUE(panelShown);
    TestFolder folder;
    ProgramState state;
    ScriptedPictureOpenDialog chooser;
    RecordingDialogs dialogs;
    ErrorReport report{dialogs};
    TFormImages import(folder.path(), state, chooser, dialogs, report);
    showAndSettle(import);
    EXPECT_EQ(import.frameGeometry().topLeft(), expectedPlace({350, 197}, {987, 781}));
}

TEST_F(WindowPlacementDesktop, SlideShowWindowOpensAtItsPlaceOrShrinksIntoTheArea) {
    ASSERT_TRUE(panelShown);
    ProgramState state;
    RecordingDialogs dialogs;
    ErrorReport report{dialogs};
    ScriptedFolderDialog folderDialog;
    TFormSlideShow slideShow{SlideShowServices{report, dialogs, state, folderDialog}};
    slideShow.FormCreate();
    showAndSettle(slideShow);
    const QRect frame = slideShow.frameGeometry();
    EXPECT_TRUE(availableArea().contains(frame))
        << frame.x() << "," << frame.y() << " " << frame.width() << "x" << frame.height();
    if (availableArea().contains(QRect(QPoint(232, 208), QSize(866, 780)))) {
        EXPECT_EQ(frame, QRect(232, 208, 866, 780));
    }
}

} // namespace
} // namespace orvandel
