#include "BmpFixtures.h"
#include "TestFolder.h"
#include "TrayFixture.h"
#include "common/Error.h"

#include <QBuffer>
#include <QCursor>
#include <QGuiApplication>
#include <QMenu>

using namespace orvandel;
using orvandel::desktop::TrayMouse;

namespace {

QByteArray icoOfNumber(int number) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    numberedPicture(number).toImage().save(&buffer, "PNG");
    return fixtures::icoFile({{16, 16, 32, png}});
}

void activateApplication() {
    emit qGuiApp->applicationStateChanged(Qt::ApplicationActive);
}

} // namespace

TEST_F(TrayTest, SendsNothingBeforeLoadedThenShowsTheIconOnce) {
    makeImages(3);
    configureAsMainWindow();
    EXPECT_TRUE(trayIcon.calls.empty());
    EXPECT_EQ(taskbar.calls, QStringList({"show", "hide", "attention off"}));

    tray->Loaded();
    EXPECT_EQ(sentToTray(),
              QStringList({"icon 0", "tip Orvandel    Version 1.75", "show", "icon 0"}));

    // The form created while the icon hid the application stays hidden when the loop starts.
    mainForm.setForm(&form);
    mainForm.showAtStart();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(taskbar.mainForm, &form);
}

TEST_F(TrayTest, ShowingAndRemovingTheIconFollowsTheRegistrationStates) {
    tray->SetPetiteIconeVisible(true);
    tray->Loaded();
    tray->SetPetiteIconeVisible(true);
    tray->SetPetiteIconeVisible(false);
    tray->SetPetiteIconeVisible(false);
    tray->SetPetiteIconeVisible(true);
    EXPECT_EQ(sentToTray(),
              QStringList({"icon 9999", "tip ", "show", "hide", "icon 9999", "tip ", "show"}));
}

TEST_F(TrayTest, TheTipHoldsAtMost127UnitsWhileHintKeepsAll) {
    tray->SetPetiteIconeVisible(true);
    tray->Loaded();
    for (const qsizetype length : {0, 126, 127, 128, 200}) {
        const QString hint(length, u'h');
        tray->SetHint(hint);
        EXPECT_EQ(tray->Hint(), hint);
        EXPECT_EQ(trayIcon.tip, hint.left(std::min<qsizetype>(length, 127))) << length;
    }
}

TEST_F(TrayTest, ATipCutInsideASurrogatePairLosesTheHalf) {
    const QString hint = QString(126, u'a') + QStringLiteral("\U0001F30A plage");
    tray->SetHint(hint);
    tray->SetPetiteIconeVisible(true);
    tray->Loaded();
    EXPECT_EQ(trayIcon.tip, QString(126, u'a'));
    EXPECT_EQ(tray->Hint(), hint);
}

TEST_F(TrayTest, HintAndIconChangesReachOnlyAShownIcon) {
    tray->SetHint(QStringLiteral("avant"));
    tray->SetIcone(QIcon(numberedPicture(7)));
    tray->SetPetiteIconeVisible(true);
    EXPECT_TRUE(trayIcon.calls.empty());

    tray->Loaded();
    EXPECT_EQ(sentToTray(), QStringList({"icon 7", "tip avant", "show"}));
    const std::size_t shown = trayIcon.calls.size();
    tray->SetHint(QStringLiteral("Image actuelle : plage.jpg"));
    tray->SetIcone(QIcon(numberedPicture(8)));
    EXPECT_EQ(sentToTray(shown), QStringList({"tip Image actuelle : plage.jpg", "icon 8"}));

    tray->SetPetiteIconeVisible(false);
    const std::size_t hidden = trayIcon.calls.size();
    tray->SetHint(QStringLiteral("cachée"));
    tray->SetIcone(QIcon(numberedPicture(9)));
    EXPECT_EQ(trayIcon.calls.size(), hidden);
    tray->SetPetiteIconeVisible(true);
    EXPECT_EQ(sentToTray(hidden), QStringList({"icon 9", "tip cachée", "show"}));
}

TEST_F(TrayTest, TheTrayHostComingBackGetsTheCurrentIconAndTip) {
    tray->SetPetiteIconeVisible(true);
    tray->Loaded();
    tray->SetHint(QStringLiteral("Image actuelle : neige.png"));
    tray->SetIcone(QIcon(numberedPicture(42)));
    const std::size_t before = trayIcon.calls.size();
    trayIcon.restartTrayHost();
    EXPECT_EQ(sentToTray(before),
              QStringList({"icon 42", "tip Image actuelle : neige.png", "show"}));

    tray->SetPetiteIconeVisible(false);
    const std::size_t sent = trayIcon.calls.size();
    trayIcon.restartTrayHost();
    EXPECT_EQ(trayIcon.calls.size(), sent);
}

TEST_F(TrayTest, ALeftPressFiresTheEventThenShowsThenPopsTheMenu) {
    QMenu menu;
    QObject::connect(&menu, &QMenu::aboutToShow, [this] { log.append("menu"); });
    mainForm.setForm(&form);
    tray->SetMenuPop(&menu);
    tray->SetPetiteIconeVisible(true);
    tray->SetOuvreSiClicGauche(true);
    tray->SetMenuSiClicGauche(true);
    QPoint pressedAt;
    QObject::connect(tray.get(), &TPiconeBarreTache::OnMouseDown,
                     [&](TMouseButton Button, TShiftState Shift, int X, int Y) {
                         EXPECT_EQ(Button, TMouseButton::mbLeft);
                         EXPECT_EQ(Shift, TShiftState(TShiftStateFlag::ssLeft));
                         pressedAt = {X, Y};
                         log.append("mouse down");
                     });
    tray->Loaded();
    QCursor::setPos(321, 123);

    trayIcon.mouse(TrayMouse::LeftPress);
    EXPECT_EQ(log, QStringList({"mouse down", "form shown", "menu"}));
    EXPECT_EQ(pressedAt, QCursor::pos());
    EXPECT_TRUE(menu.isVisible());
    EXPECT_TRUE(taskbar.calls.contains("front application"));
    menu.hide();
}

struct MouseCase {
    TrayMouse action;
    const char* expected;
};

TEST_F(TrayTest, EachMouseActionFiresItsOwnEvent) {
    const MouseCase cases[] = {
        {TrayMouse::Move, "move 8"},           {TrayMouse::LeftPress, "down 0 8"},
        {TrayMouse::LeftRelease, "up 0 8"},    {TrayMouse::LeftDoubleClick, "double"},
        {TrayMouse::RightPress, "down 1 16"},  {TrayMouse::RightRelease, "up 1 16"},
        {TrayMouse::RightDoubleClick, ""},     {TrayMouse::MiddlePress, "down 2 32"},
        {TrayMouse::MiddleRelease, "up 2 32"},
    };
    QString fired;
    const auto button = [&](const char* what) {
        return [&fired, what](TMouseButton Button, TShiftState Shift, int, int) {
            fired = QStringLiteral("%1 %2 %3").arg(what).arg(int(Button)).arg(Shift.toInt());
        };
    };
    QObject::connect(tray.get(), &TPiconeBarreTache::OnMouseDown, button("down"));
    QObject::connect(tray.get(), &TPiconeBarreTache::OnMouseUp, button("up"));
    QObject::connect(tray.get(), &TPiconeBarreTache::OnMouseMove, [&](TShiftState Shift, int, int) {
        fired = QStringLiteral("move %1").arg(Shift.toInt());
    });
    QObject::connect(tray.get(), &TPiconeBarreTache::OnDblClick,
                     [&] { fired = QStringLiteral("double"); });
    tray->SetPetiteIconeVisible(true);
    tray->Loaded();
    for (const MouseCase& mouseCase : cases) {
        fired.clear();
        trayIcon.mouse(mouseCase.action);
        EXPECT_EQ(fired, mouseCase.expected) << int(mouseCase.action);
    }
}

TEST_F(TrayTest, ShowingAndTheMenuActOnPressesOnly) {
    QMenu menu;
    mainForm.setForm(&form);
    tray->SetMenuPop(&menu);
    tray->SetPetiteIconeVisible(true);
    tray->SetOuvreSiClicGauche(true);
    tray->SetOuvreSiDblClick(true);
    tray->SetMenuSiClicDroit(true);
    tray->Loaded();

    for (const TrayMouse release :
         {TrayMouse::LeftRelease, TrayMouse::RightRelease, TrayMouse::RightDoubleClick})
        trayIcon.mouse(release);
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(menu.isVisible());

    trayIcon.mouse(TrayMouse::LeftDoubleClick);
    EXPECT_TRUE(form.isVisible());
    trayIcon.mouse(TrayMouse::RightPress);
    EXPECT_TRUE(menu.isVisible());
    menu.hide();
}

TEST_F(TrayTest, AMenuOptionWithoutAMenuStillShowsTheApplication) {
    mainForm.setForm(&form);
    tray->SetPetiteIconeVisible(true);
    tray->SetOuvreSiClicGauche(true);
    tray->SetMenuSiClicGauche(true);
    {
        QMenu removed;
        tray->SetMenuPop(&removed);
    }
    EXPECT_EQ(tray->MenuPop(), nullptr);
    tray->Loaded();
    trayIcon.mouse(TrayMouse::LeftPress);
    EXPECT_TRUE(form.isVisible());
    EXPECT_FALSE(taskbar.calls.contains("front application"));
}

TEST_F(TrayTest, HidingAndShowingLeaveApplicationCacheeAlone) {
    tray->MontrerApplication();
    EXPECT_TRUE(taskbar.calls.isEmpty());

    mainForm.setForm(&form);
    tray->SetGrandeIconeVisible(false);
    tray->MontrerApplication();
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(taskbar.calls, QStringList({"hide", "hide", "front form"}));
    tray->CacherApplication();
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(tray->ApplicationCachee());

    tray->SetApplicationCachee(true);
    EXPECT_TRUE(tray->ApplicationCachee());
    tray->SetApplicationCachee(false);
    EXPECT_TRUE(form.isVisible());
    EXPECT_FALSE(tray->ApplicationCachee());
}

TEST_F(TrayTest, ShowingTheApplicationTakesTheFormOutOfTheMinimisedState) {
    mainForm.setForm(&form);
    form.showMinimized();
    tray->MontrerApplication();
    EXPECT_TRUE(form.isVisible());
    EXPECT_FALSE(form.isMinimized());
}

TEST_F(TrayTest, ActivationAndMinimisationHideTheTaskbarButtonAsConfigured) {
    // Whoever listened before the component still hears both events.
    QStringList earlier;
    tray.reset();
    QObject::connect(&mainForm, &MainForm::applicationActivated,
                     [&] { earlier.append("activate"); });
    QObject::connect(&mainForm, &MainForm::minimized, [&] { earlier.append("minimize"); });
    tray = std::make_unique<TPiconeBarreTache>(form, mainForm, trayIcon, taskbar);
    mainForm.setForm(&form);

    tray->SetGrandeIconeVisible(false);
    tray->SetCacherSiMinimize(true);
    taskbar.calls.clear();
    activateApplication();
    emit qGuiApp->applicationStateChanged(Qt::ApplicationInactive);
    form.showMinimized();
    EXPECT_EQ(earlier, QStringList({"activate", "minimize"}));
    EXPECT_EQ(taskbar.calls, QStringList({"hide", "hide"}));

    tray->SetGrandeIconeVisible(true);
    tray->SetCacherSiMinimize(false);
    taskbar.calls.clear();
    activateApplication();
    form.showNormal();
    form.showMinimized();
    EXPECT_TRUE(taskbar.calls.isEmpty());
}

TEST_F(TrayTest, ClosingWithReduireSiFinRunsTheFormsHandlerThenHides) {
    form.show();
    tray->SetReduireSiFin(true);
    EXPECT_FALSE(form.close());
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(log.filter("close"), QStringList({"form close"}));
    EXPECT_EQ(taskbar.calls, QStringList({"hide"}));

    form.show();
    tray->SetReduireSiFin(false);
    EXPECT_TRUE(form.close());
    EXPECT_EQ(log.filter("close").size(), 2);
}

TEST_F(TrayTest, ANewOwnerStyleShowsTheIconAgain) {
    form.show();
    tray->SetPetiteIconeVisible(true);
    tray->Loaded();
    const std::size_t before = trayIcon.calls.size();
    form.setWindowFlags(form.windowFlags() | Qt::WindowStaysOnTopHint);
    form.show();
    EXPECT_EQ(sentToTray(before), QStringList({"hide", "icon 9999", "tip ", "show"}));

    // Other moves with an unchanged style send nothing.
    const std::size_t after = trayIcon.calls.size();
    form.move(form.pos() + QPoint(10, 10));
    EXPECT_EQ(trayIcon.calls.size(), after);
}

TEST_F(TrayTest, DestructionRemovesTheIconAndLetsGoOfEverything) {
    mainForm.setForm(&form);
    tray->SetPetiteIconeVisible(true);
    tray->SetGrandeIconeVisible(false);
    tray->SetReduireSiFin(true);
    tray->SetOuvreSiClicGauche(true);
    tray->Loaded();
    tray.reset();
    EXPECT_EQ(sentToTray().constLast(), "hide");

    form.show();
    EXPECT_TRUE(form.close());
    const std::size_t sent = trayIcon.calls.size();
    taskbar.calls.clear();
    activateApplication();
    trayIcon.restartTrayHost();
    trayIcon.mouse(TrayMouse::LeftPress);
    EXPECT_TRUE(taskbar.calls.isEmpty());
    EXPECT_EQ(trayIcon.calls.size(), sent);
    EXPECT_FALSE(form.isVisible());
}

TEST_F(TrayTest, OnlyIndicesWithinTheListAndUpTo255ChangeTheIcon) {
    makeImages(300);
    tray->SetImageList(&images);
    tray->SetPetiteIconeVisible(true);
    tray->Loaded();
    for (const int index : {-1, 300, 280, 256}) {
        tray->SetNumIconeAfficheImageList(index);
        EXPECT_EQ(tray->NumIconeAfficheImageList(), index);
        EXPECT_EQ(pictureNumber(tray->Icone()), 0) << index;
    }
    tray->SetNumIconeAfficheImageList(255);
    EXPECT_EQ(trayIconNumber(), 255);

    tray->SetImageList(nullptr);
    tray->SetNumIconeAfficheImageList(3);
    EXPECT_EQ(pictureNumber(tray->Icone()), 255);
}

TEST_F(TrayTest, AnImageListRemovedFromTheOwnerIsForgotten) {
    auto list = std::make_unique<TImageList>();
    list->Add(numberedPicture(5));
    tray->SetImageList(list.get());
    list.reset();
    EXPECT_EQ(tray->ImageList(), nullptr);
    tray->SetNumIconeImageList(0);
    EXPECT_EQ(tray->NumIconeAfficheImageList(), 0);
    EXPECT_EQ(pictureNumber(tray->Icone()), 9999);
}

TEST_F(TrayTest, AnIconFileThatCannotBeReadKeepsTheNameAndTheIcon) {
    const TestFolder folder;
    const QString good = folder.write("bon.ico", icoOfNumber(77));
    const QString damaged = folder.write("abîmé.ico", icoOfNumber(77).left(30));
    const QString picture = folder.write("image.ico", "BM not an icon");
    tray->SetIcone(QIcon(numberedPicture(3)));

    for (const QString& path : {folder.filePath("absent.ico"), damaged, picture}) {
        EXPECT_THROW(tray->SetIconeFileName(path), Error) << path.toStdString();
        EXPECT_EQ(tray->IconeFileName(), path);
        EXPECT_EQ(pictureNumber(tray->Icone()), 3);
    }
    tray->SetIconeFileName(good);
    EXPECT_EQ(pictureNumber(tray->Icone()), 77);
}
