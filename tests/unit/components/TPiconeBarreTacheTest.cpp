#include "BmpFixtures.h"
#include "TestFolder.h"
#include "TrayFixture.h"
#include "common/Error.h"

#include <QBuffer>
#include <QCursor>
#include <QMenu>

using namespace orvandel;
using namespace orvandel::desktop::WindowMessages;
using orvandel::desktop::NotifyIconMessage;

namespace {

QString tipOf(const desktop::NOTIFYICONDATAW& data) {
    return QString::fromUtf16(data.szTip.data());
}

QByteArray icoOfNumber(int number) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    numberedPicture(number).toImage().save(&buffer, "PNG");
    return fixtures::icoFile({{16, 16, 32, png}});
}

} // namespace

TEST_F(TrayTest, SendsNothingBeforeLoadedThenAddsTheIconOnce) {
    makeImages(3);
    configureAsMainWindow();
    EXPECT_TRUE(notifyIcon.calls.empty());
    EXPECT_FALSE(application.ShowMainForm);
    EXPECT_EQ(taskbar.calls, QStringList({"show", "hide", "flash stop 20 0 0"}));

    tray->Loaded();
    ASSERT_EQ(notifyIcon.calls.size(), 2U);
    const auto& add = notifyIcon.calls[0];
    EXPECT_EQ(add.message, NotifyIconMessage::NIM_ADD);
    EXPECT_EQ(add.data.cbSize, 956U);
    EXPECT_EQ(add.data.uID, 1U);
    EXPECT_EQ(add.data.uFlags, 7U);
    EXPECT_EQ(add.data.uCallbackMessage, 1124U);
    EXPECT_NE(add.data.hWnd, nullptr);
    EXPECT_EQ(tipOf(add.data), "Orvandel    Version 1.75");
    EXPECT_EQ(notifyIcon.calls[1].message, NotifyIconMessage::NIM_MODIFY);
    EXPECT_EQ(lastIconNumber(), 0);

    // The form created while the icon hid the application stays hidden when the loop starts.
    application.setMainForm(&form);
    application.showMainFormAtStart();
    EXPECT_FALSE(form.isVisible());
}

TEST_F(TrayTest, ShowingAndRemovingTheIconFollowsTheRegistrationStates) {
    tray->SetPetiteIconeVisible(true);
    tray->Loaded();
    tray->SetPetiteIconeVisible(true);
    tray->SetPetiteIconeVisible(false);
    tray->SetPetiteIconeVisible(false);
    tray->SetPetiteIconeVisible(true);
    std::vector<NotifyIconMessage> sent;
    for (const auto& call : notifyIcon.calls)
        sent.push_back(call.message);
    EXPECT_EQ(sent, (std::vector{NotifyIconMessage::NIM_ADD, NotifyIconMessage::NIM_DELETE,
                                 NotifyIconMessage::NIM_ADD}));
}

TEST_F(TrayTest, AFailedAddStillCountsAsRegistered) {
    notifyIcon.succeeds = false;
    tray->SetPetiteIconeVisible(true);
    tray->Loaded();
    tray->SetHint(QStringLiteral("toujours"));
    tray->SetPetiteIconeVisible(false);
    std::vector<NotifyIconMessage> sent;
    for (const auto& call : notifyIcon.calls)
        sent.push_back(call.message);
    EXPECT_EQ(sent, (std::vector{NotifyIconMessage::NIM_ADD, NotifyIconMessage::NIM_MODIFY,
                                 NotifyIconMessage::NIM_DELETE}));
}

TEST_F(TrayTest, TheTipHoldsAtMost127UnitsWhileHintKeepsAll) {
    for (const qsizetype length : {0, 126, 127, 128, 200}) {
        const QString hint(length, u'h');
        tray->SetHint(hint);
        EXPECT_EQ(tray->Hint(), hint);
        const qsizetype kept = std::min<qsizetype>(length, 127);
        EXPECT_EQ(tipOf(tray->notifyRecord()), hint.left(kept)) << length;
        EXPECT_EQ(tray->notifyRecord().szTip[static_cast<std::size_t>(kept)], u'\0');
    }
}

TEST_F(TrayTest, HintAndIconChangesModifyOnlyARegisteredIcon) {
    tray->SetHint(QStringLiteral("avant"));
    tray->SetIcone(QIcon(numberedPicture(7)));
    tray->SetPetiteIconeVisible(true);
    EXPECT_TRUE(notifyIcon.calls.empty());

    tray->Loaded();
    EXPECT_EQ(tipOf(notifyIcon.calls.back().data), "avant");
    EXPECT_EQ(lastIconNumber(), 7);
    tray->SetHint(QStringLiteral("Image actuelle : plage.jpg"));
    tray->SetIcone(QIcon(numberedPicture(8)));
    ASSERT_EQ(notifyIcon.calls.size(), 3U);
    EXPECT_EQ(notifyIcon.calls[1].message, NotifyIconMessage::NIM_MODIFY);
    EXPECT_EQ(tipOf(notifyIcon.calls[1].data), "Image actuelle : plage.jpg");
    EXPECT_EQ(notifyIcon.calls[2].message, NotifyIconMessage::NIM_MODIFY);
    EXPECT_EQ(lastIconNumber(), 8);

    tray->SetPetiteIconeVisible(false);
    const auto sent = notifyIcon.calls.size();
    tray->SetHint(QStringLiteral("cachée"));
    tray->SetIcone(QIcon(numberedPicture(9)));
    EXPECT_EQ(notifyIcon.calls.size(), sent);
    tray->SetPetiteIconeVisible(true);
    EXPECT_EQ(notifyIcon.calls.back().message, NotifyIconMessage::NIM_ADD);
    EXPECT_EQ(tipOf(notifyIcon.calls.back().data), "cachée");
    EXPECT_EQ(lastIconNumber(), 9);
}

TEST_F(TrayTest, TheTrayHostComingBackGetsTheCurrentIconAndTip) {
    tray->SetPetiteIconeVisible(true);
    tray->Loaded();
    tray->SetHint(QStringLiteral("Image actuelle : neige.png"));
    tray->SetIcone(QIcon(numberedPicture(42)));
    notifyIcon.restartTrayHost();
    EXPECT_EQ(notifyIcon.calls.back().message, NotifyIconMessage::NIM_ADD);
    EXPECT_EQ(tipOf(notifyIcon.calls.back().data), "Image actuelle : neige.png");
    EXPECT_EQ(lastIconNumber(), 42);

    tray->SetPetiteIconeVisible(false);
    const auto sent = notifyIcon.calls.size();
    notifyIcon.restartTrayHost();
    EXPECT_EQ(notifyIcon.calls.size(), sent);
}

TEST_F(TrayTest, ALeftPressFiresTheEventThenShowsThenPopsTheMenu) {
    QMenu menu;
    QObject::connect(&menu, &QMenu::aboutToShow, [this] { log.append("menu"); });
    application.setMainForm(&form);
    tray->SetMenuPop(&menu);
    tray->SetPetiteIconeVisible(true);
    tray->SetOuvreSiClicGauche(true);
    tray->SetMenuSiClicGauche(true);
    QPoint pressedAt;
    tray->OnMouseDown = [&](QObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y) {
        EXPECT_EQ(Sender, tray.get());
        EXPECT_EQ(Button, TMouseButton::mbLeft);
        EXPECT_EQ(Shift, TShiftState(TShiftStateFlag::ssLeft));
        pressedAt = {X, Y};
        log.append("mouse down");
    };
    tray->Loaded();
    QCursor::setPos(321, 123);

    notifyIcon.mouse(WM_LBUTTONDOWN);
    EXPECT_EQ(log, QStringList({"mouse down", "form shown", "menu"}));
    EXPECT_EQ(pressedAt, QCursor::pos());
    EXPECT_TRUE(menu.isVisible());
    EXPECT_TRUE(taskbar.calls.contains("foreground application"));
    menu.hide();
}

struct MouseCase {
    std::uint32_t message;
    const char* expected;
};

TEST_F(TrayTest, EachMouseMessageFiresItsOwnEvent) {
    const MouseCase cases[] = {
        {WM_MOUSEMOVE, "move 8"},      {WM_LBUTTONDOWN, "down 0 8"},
        {WM_LBUTTONUP, "up 0 8"},      {WM_LBUTTONDBLCLK, "double"},
        {WM_RBUTTONDOWN, "down 1 16"}, {WM_RBUTTONUP, "up 1 16"},
        {WM_RBUTTONDBLCLK, ""},        {WM_MBUTTONDOWN, "down 2 32"},
        {WM_MBUTTONUP, "up 2 32"},     {0x0209, ""},
    };
    QString fired;
    const auto button = [&](const char* what) {
        return [&fired, what](QObject*, TMouseButton Button, TShiftState Shift, int, int) {
            fired = QStringLiteral("%1 %2 %3").arg(what).arg(int(Button)).arg(Shift.toInt());
        };
    };
    tray->OnMouseDown = button("down");
    tray->OnMouseUp = button("up");
    tray->OnMouseMove = [&](QObject*, TShiftState Shift, int, int) {
        fired = QStringLiteral("move %1").arg(Shift.toInt());
    };
    tray->OnDblClick = [&](QObject*) { fired = QStringLiteral("double"); };
    tray->SetPetiteIconeVisible(true);
    tray->Loaded();
    for (const MouseCase& mouseCase : cases) {
        fired.clear();
        notifyIcon.mouse(mouseCase.message);
        EXPECT_EQ(fired, mouseCase.expected) << mouseCase.message;
    }
}

TEST_F(TrayTest, ShowingAndTheMenuActOnPressesOnly) {
    QMenu menu;
    application.setMainForm(&form);
    tray->SetMenuPop(&menu);
    tray->SetPetiteIconeVisible(true);
    tray->SetOuvreSiClicGauche(true);
    tray->SetOuvreSiDblClick(true);
    tray->SetMenuSiClicDroit(true);
    tray->Loaded();

    for (const std::uint32_t release : {WM_LBUTTONUP, WM_RBUTTONUP, WM_RBUTTONDBLCLK})
        notifyIcon.mouse(release);
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(menu.isVisible());

    notifyIcon.mouse(WM_LBUTTONDBLCLK);
    EXPECT_TRUE(form.isVisible());
    notifyIcon.mouse(WM_RBUTTONDOWN);
    EXPECT_TRUE(menu.isVisible());
    menu.hide();
}

TEST_F(TrayTest, AMenuOptionWithoutAMenuStillShowsTheApplication) {
    application.setMainForm(&form);
    tray->SetPetiteIconeVisible(true);
    tray->SetOuvreSiClicGauche(true);
    tray->SetMenuSiClicGauche(true);
    {
        QMenu removed;
        tray->SetMenuPop(&removed);
    }
    EXPECT_EQ(tray->MenuPop(), nullptr);
    tray->Loaded();
    notifyIcon.mouse(WM_LBUTTONDOWN);
    EXPECT_TRUE(form.isVisible());
    EXPECT_FALSE(taskbar.calls.contains("foreground application"));
}

TEST_F(TrayTest, HidingAndShowingLeaveApplicationCacheeAlone) {
    tray->MontrerApplication();
    EXPECT_TRUE(taskbar.calls.isEmpty());

    application.setMainForm(&form);
    tray->SetGrandeIconeVisible(false);
    tray->MontrerApplication();
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(taskbar.calls, QStringList({"hide", "hide", "foreground form"}));
    tray->CacherApplication();
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(tray->ApplicationCachee());

    tray->SetApplicationCachee(true);
    EXPECT_TRUE(tray->ApplicationCachee());
    tray->SetApplicationCachee(false);
    EXPECT_TRUE(form.isVisible());
    EXPECT_FALSE(tray->ApplicationCachee());
}

TEST_F(TrayTest, ActivationAndMinimisationHideTheTaskbarButtonAsConfigured) {
    QStringList previous;
    tray.reset();
    application.OnActivate = [&](QObject*) { previous.append("activate"); };
    application.OnMinimize = [&](QObject*) { previous.append("minimize"); };
    tray = std::make_unique<TPiconeBarreTache>(form, application, notifyIcon);
    application.setMainForm(&form);

    tray->SetGrandeIconeVisible(false);
    tray->SetCacherSiMinimize(true);
    taskbar.calls.clear();
    application.OnActivate(&application);
    form.showMinimized();
    EXPECT_EQ(previous, QStringList({"activate", "minimize"}));
    EXPECT_EQ(taskbar.calls, QStringList({"hide", "hide"}));

    tray->SetGrandeIconeVisible(true);
    tray->SetCacherSiMinimize(false);
    taskbar.calls.clear();
    application.OnActivate(&application);
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

TEST_F(TrayTest, ANewOwnerStyleRegistersTheIconAgain) {
    form.show();
    tray->SetPetiteIconeVisible(true);
    tray->Loaded();
    notifyIcon.calls.clear();
    form.setWindowFlags(form.windowFlags() | Qt::WindowStaysOnTopHint);
    form.show();
    ASSERT_GE(notifyIcon.calls.size(), 2U);
    EXPECT_EQ(notifyIcon.calls[0].message, NotifyIconMessage::NIM_DELETE);
    EXPECT_EQ(notifyIcon.calls[1].message, NotifyIconMessage::NIM_ADD);
    EXPECT_EQ(notifyIcon.calls.size(), 2U);

    // Other moves with an unchanged style send nothing.
    form.move(form.pos() + QPoint(10, 10));
    EXPECT_EQ(notifyIcon.calls.size(), 2U);
}

TEST_F(TrayTest, DestructionRemovesTheIconAndPutsEveryHookBack) {
    int previousProcedure = 0;
    tray.reset();
    application.WindowProc = [&](desktop::TMessage&) { ++previousProcedure; };
    application.OnActivate = [&](QObject*) { log.append("previous activate"); };
    tray = std::make_unique<TPiconeBarreTache>(form, application, notifyIcon);
    tray->SetPetiteIconeVisible(true);
    tray->SetReduireSiFin(true);
    tray->Loaded();
    tray.reset();

    EXPECT_EQ(notifyIcon.calls.back().message, NotifyIconMessage::NIM_DELETE);
    form.show();
    EXPECT_TRUE(form.close());
    application.OnActivate(&application);
    EXPECT_TRUE(log.contains("previous activate"));
    EXPECT_FALSE(application.OnMinimize);
    const auto sent = notifyIcon.calls.size();
    notifyIcon.restartTrayHost();
    EXPECT_EQ(notifyIcon.calls.size(), sent);
    EXPECT_GE(previousProcedure, 1);
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
    EXPECT_EQ(lastIconNumber(), 255);

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
