#include "TPiconeBarreTache.h"

#include "IconFile.h"
#include "system/FileNames.h"

#include <QCoreApplication>

#include <algorithm>
#include <utility>

namespace orvandel {

using desktop::NotifyIconMessage;
using desktop::ShowCommand;

namespace {

constexpr std::uint32_t NotifyRecordSize = 956;
constexpr std::uint32_t NotifyIconId = 1;
constexpr qsizetype LongestTip = 127;

} // namespace

TFormStyle FormStyleOf(const QWidget& form) {
    return form.windowFlags().testFlag(Qt::WindowStaysOnTopHint) ? TFormStyle::fsStayOnTop
                                                                 : TFormStyle::fsNormal;
}

TPiconeBarreTache::TPiconeBarreTache(QWidget& AOwner, TApplication& application,
                                     desktop::NotifyIcon& trayIcon)
    : Application(application)
    , notifyIcon(trayIcon)
    , PourHandle(std::make_unique<TPourHandle>(*this)) {
    connect(&TimerGrandeIconeBlink, &QTimer::timeout, this,
            &TPiconeBarreTache::TimerBigIconeOnTimer);
    connect(&TimerAnimationPetiteIcone, &QTimer::timeout, this,
            &TPiconeBarreTache::TimerAnimationPetiteIconeOnTimer);

    FIcone = Application.Icon();
    FormAOwner = &AOwner;
    AOwner.installEventFilter(this);
    ApplicationOldActivate = std::exchange(
        Application.OnActivate, [this](QObject* Sender) { ApplicationActivate(Sender); });
    ApplicationOldOnMinimize = std::exchange(
        Application.OnMinimize, [this](QObject* Sender) { ApplicationMinimize(Sender); });
    WM_TASKBARCREATED = Application.RegisterWindowMessageW(QStringLiteral("TaskbarCreated"));
    PApplicationOldWndProc =
        std::exchange(Application.WindowProc,
                      [this](desktop::TMessage& Message) { ApplicationWndProc(Message); });
}

TPiconeBarreTache::~TPiconeBarreTache() {
    if (PetiteIconeAffichee) {
        Shell_NotifyIconW(NotifyIconMessage::NIM_DELETE);
        PetiteIconeAffichee = false;
    }
    if (FormAOwner)
        FormAOwner->removeEventFilter(this);
    // Put back unconditionally, as found at construction.
    Application.OnActivate = ApplicationOldActivate;
    Application.OnMinimize = ApplicationOldOnMinimize;
    Application.WindowProc = PApplicationOldWndProc;
}

void TPiconeBarreTache::fillNotifyStruc() {
    NotifyStruc.cbSize = NotifyRecordSize;
    NotifyStruc.hWnd = PourHandle.get();
    NotifyStruc.uID = NotifyIconId;
    NotifyStruc.uFlags = desktop::NIF_MESSAGE | desktop::NIF_ICON | desktop::NIF_TIP;
    NotifyStruc.uCallbackMessage = TrayCallbackMessage;
    NotifyStruc.hIcon = FIcone;
}

void TPiconeBarreTache::Shell_NotifyIconW(NotifyIconMessage message) {
    // The result is ignored: after a failed add the icon counts as registered all the same.
    notifyIcon.Shell_NotifyIconW(message, NotifyStruc);
}

void TPiconeBarreTache::RegenerePetiteIcone() {
    fillNotifyStruc();
    if (FPetiteIconeVisible) {
        Shell_NotifyIconW(NotifyIconMessage::NIM_ADD);
        PetiteIconeAffichee = true;
    }
}

void TPiconeBarreTache::Loaded() {
    EtatFsStayOnTop = FormStyleOf(*FormAOwner);
    RegenerePetiteIcone();
    DejaLoaded = true;
    SetNumIconeAfficheImageList(FNumIconeImageList);
}

void TPiconeBarreTache::SetPetiteIconeVisible(bool Value) {
    if (Value == FPetiteIconeVisible)
        return;
    FPetiteIconeVisible = Value;
    if (!DejaLoaded)
        return;
    if (Value && !PetiteIconeAffichee) {
        fillNotifyStruc();
        Shell_NotifyIconW(NotifyIconMessage::NIM_ADD);
        PetiteIconeAffichee = true;
        return;
    }
    if (PetiteIconeAffichee)
        Shell_NotifyIconW(NotifyIconMessage::NIM_DELETE);
    PetiteIconeAffichee = false;
}

void TPiconeBarreTache::SetGrandeIconeVisible(bool Value) {
    FGrandeIconeVisible = Value;
    Application.Handle.ShowWindow(Value ? ShowCommand::SW_SHOW : ShowCommand::SW_HIDE);
}

void TPiconeBarreTache::SetApplicationCachee(bool Value) {
    FApplicationCachee = Value;
    if (Value)
        CacherApplication();
    else
        MontrerApplication();
}

void TPiconeBarreTache::CacherApplication() {
    Application.Handle.ShowWindow(ShowCommand::SW_HIDE);
    if (QWidget* MainForm = Application.MainForm())
        MainForm->setVisible(false);
    else
        Application.ShowMainForm = false;
}

void TPiconeBarreTache::MontrerApplication() {
    QWidget* MainForm = Application.MainForm();
    if (!MainForm)
        return;
    Application.Restore();
    MainForm->setVisible(true);
    MainForm->repaint();
    SetGrandeIconeVisible(FGrandeIconeVisible);
    Application.Handle.SetForegroundWindow(MainForm);
}

void TPiconeBarreTache::SetIcone(const QIcon& Value) {
    FIcone = Value;
    NotifyStruc.hIcon = FIcone;
    if (PetiteIconeAffichee)
        Shell_NotifyIconW(NotifyIconMessage::NIM_MODIFY);
}

void TPiconeBarreTache::SetIconeFileName(const QString& Value) {
    FIconeFileName = Value;
    if (Value.isEmpty())
        return;
    const QIcon UneIcone = loadIconFile(Value);
    SetIcone(UneIcone);
}

void TPiconeBarreTache::SetHint(const QString& Value) {
    // The tip is read by people: a file name in it shows as on disk.
    FHint = system::readableText(Value);
    const qsizetype Len = std::min(FHint.size(), LongestTip);
    std::copy_n(FHint.utf16(), Len, NotifyStruc.szTip.begin());
    NotifyStruc.szTip[static_cast<std::size_t>(Len)] = u'\0';
    if (PetiteIconeAffichee)
        Shell_NotifyIconW(NotifyIconMessage::NIM_MODIFY);
}

void TPiconeBarreTache::SetNumIconeImageList(int Value) {
    FNumIconeImageList = Value;
    if (!FAnimation)
        SetNumIconeAfficheImageList(Value);
}

void TPiconeBarreTache::SetNumIconeAfficheImageList(int Value) {
    FNumIconeAfficheImageList = Value;
    if (!FImageList)
        return;
    // The index must be a small set's member: 0 to 255, and within the list.
    if (Value < 0 || Value > FImageList->Count() - 1 || Value > 255)
        return;
    QIcon IconeTemp;
    FImageList->GetIcon(Value, IconeTemp);
    SetIcone(IconeTemp);
}

bool TPiconeBarreTache::ownerStyleChanged() const {
    return PetiteIconeAffichee && FormAOwner && FormStyleOf(*FormAOwner) != EtatFsStayOnTop;
}

void TPiconeBarreTache::ApplicationWndProc(desktop::TMessage& Message) {
    if (Message.Msg == WM_TASKBARCREATED)
        RegenerePetiteIcone();
    const bool windowPosChanging = Message.Msg == desktop::WindowMessages::WM_WINDOWPOSCHANGING;
    // A new style gives the owner form a new window: the icon registered with the old one is
    // removed here and registered again below.
    if (windowPosChanging && ownerStyleChanged())
        Shell_NotifyIconW(NotifyIconMessage::NIM_DELETE);
    if (PApplicationOldWndProc)
        PApplicationOldWndProc(Message);
    else
        DefWindowProc(Message);
    if (windowPosChanging && ownerStyleChanged()) {
        RegenerePetiteIcone();
        EtatFsStayOnTop = FormStyleOf(*FormAOwner);
    }
}

void TPiconeBarreTache::ApplicationActivate(QObject* Sender) {
    if (ApplicationOldActivate)
        ApplicationOldActivate(Sender);
    if (!FGrandeIconeVisible)
        Application.Handle.ShowWindow(ShowCommand::SW_HIDE);
}

void TPiconeBarreTache::ApplicationMinimize(QObject* Sender) {
    if (ApplicationOldOnMinimize)
        ApplicationOldOnMinimize(Sender);
    if (FCacherSiMinimize)
        Application.Handle.ShowWindow(ShowCommand::SW_HIDE);
}

bool TPiconeBarreTache::eventFilter(QObject* watched, QEvent* event) {
    if (watched != FormAOwner || event->type() != QEvent::Close)
        return QObject::eventFilter(watched, event);
    LaFormClose(watched, *event);
    return true;
}

void TPiconeBarreTache::LaFormClose(QObject* Sender, QEvent& closeEvent) {
    // The form's own close handling is the handler found at construction: it runs first, on this
    // very event, so that its verdict on the close stands unless the application is to be hidden.
    auto& form = static_cast<QWidget&>(*Sender);
    form.removeEventFilter(this);
    QCoreApplication::sendEvent(&form, &closeEvent);
    form.installEventFilter(this);
    if (!FReduireSiFin)
        return;
    Application.Handle.ShowWindow(ShowCommand::SW_HIDE);
    form.setVisible(false);
    closeEvent.ignore();
}

} // namespace orvandel
