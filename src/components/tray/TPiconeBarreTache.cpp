#include "TPiconeBarreTache.h"

#include "IconFile.h"
#include "system/FileNames.h"

#include <QApplication>
#include <QCursor>
#include <QScopedValueRollback>

namespace orvandel::inline components {

using desktop::TrayMouse;

namespace {

// The notification area shows at most this many UTF-16 units of the hint.
constexpr qsizetype LongestTip = 127;

QString tipOf(const QString& hint) {
    QString tip = hint.left(LongestTip);
    // Quirk: a tip cut inside a surrogate pair would end in half a character, shown as junk.
    if (tip.size() == LongestTip && tip.back().isHighSurrogate())
        tip.chop(1);
    return tip;
}

// Events that move, restack, show, hide or recreate a window: when a new style takes effect.
bool changesWindowPosition(QEvent::Type type) {
    switch (type) {
    case QEvent::Show:
    case QEvent::Hide:
    case QEvent::Move:
    case QEvent::ZOrderChange:
    case QEvent::WinIdChange:
    case QEvent::ParentChange:
        return true;
    default:
        return false;
    }
}

} // namespace

TFormStyle FormStyleOf(const QWidget& form) {
    return form.windowFlags().testFlag(Qt::WindowStaysOnTopHint) ? TFormStyle::fsStayOnTop
                                                                 : TFormStyle::fsNormal;
}

TPiconeBarreTache::TPiconeBarreTache(QWidget& AOwner, MainForm& mainForm,
                                     desktop::TrayIcon& trayIcon,
                                     desktop::TaskbarButton& taskbarButton)
    : ApplicationMainForm(mainForm)
    , NotificationArea(trayIcon)
    , Taskbar(taskbarButton) {
    connect(&TimerGrandeIconeBlink, &QTimer::timeout, this,
            &TPiconeBarreTache::TimerBigIconeOnTimer);
    connect(&TimerAnimationPetiteIcone, &QTimer::timeout, this,
            &TPiconeBarreTache::TimerAnimationPetiteIconeOnTimer);

    FIcone = QApplication::windowIcon();
    FormAOwner = &AOwner;
    AOwner.installEventFilter(this);
    connect(&mainForm, &MainForm::applicationActivated, this,
            &TPiconeBarreTache::ApplicationActivate);
    connect(&mainForm, &MainForm::minimized, this, &TPiconeBarreTache::ApplicationMinimize);
    connect(&trayIcon, &desktop::TrayIcon::activated, this, &TPiconeBarreTache::TrayMessage);
    connect(&trayIcon, &desktop::TrayIcon::hostRestarted, this,
            &TPiconeBarreTache::RegenerePetiteIcone);
}

TPiconeBarreTache::~TPiconeBarreTache() {
    if (PetiteIconeAffichee) {
        NotificationArea.hide();
        PetiteIconeAffichee = false;
    }
    if (FormAOwner)
        FormAOwner->removeEventFilter(this);
}

// The icon goes out with the current picture and tip; the same call registers it again later.
void TPiconeBarreTache::ShowSmallIcon() {
    NotificationArea.setIcon(FIcone);
    NotificationArea.setTip(tipOf(FHint));
    NotificationArea.show();
    PetiteIconeAffichee = true;
}

void TPiconeBarreTache::RegenerePetiteIcone() {
    if (FPetiteIconeVisible)
        ShowSmallIcon();
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
        ShowSmallIcon();
        return;
    }
    if (PetiteIconeAffichee)
        NotificationArea.hide();
    PetiteIconeAffichee = false;
}

void TPiconeBarreTache::SetGrandeIconeVisible(bool Value) {
    FGrandeIconeVisible = Value;
    if (Value)
        Taskbar.show();
    else
        Taskbar.hide();
}

void TPiconeBarreTache::SetApplicationCachee(bool Value) {
    FApplicationCachee = Value;
    if (Value)
        CacherApplication();
    else
        MontrerApplication();
}

void TPiconeBarreTache::CacherApplication() {
    Taskbar.hide();
    if (QWidget* form = ApplicationMainForm.form())
        form->setVisible(false);
    else
        ApplicationMainForm.keepHiddenAtStart();
}

void TPiconeBarreTache::MontrerApplication() {
    QWidget* form = ApplicationMainForm.form();
    if (!form)
        return;
    ApplicationMainForm.restore();
    form->setVisible(true);
    form->repaint();
    SetGrandeIconeVisible(FGrandeIconeVisible);
    Taskbar.bringToFront(*form);
}

void TPiconeBarreTache::SetIcone(const QIcon& Value) {
    FIcone = Value;
    if (PetiteIconeAffichee)
        NotificationArea.setIcon(FIcone);
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
    if (PetiteIconeAffichee)
        NotificationArea.setTip(tipOf(FHint));
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

void TPiconeBarreTache::TrayMessage(TrayMouse action) {
    const QPoint Coordonnes_souris = QCursor::pos();
    const int X = Coordonnes_souris.x();
    const int Y = Coordonnes_souris.y();
    // The shift state is fixed by the action, not read from the keyboard or the buttons.
    switch (action) {
    case TrayMouse::Move:
        emit OnMouseMove(TShiftStateFlag::ssLeft, X, Y);
        break;
    case TrayMouse::LeftPress:
        emit OnMouseDown(TMouseButton::mbLeft, TShiftStateFlag::ssLeft, X, Y);
        break;
    case TrayMouse::LeftRelease:
        emit OnMouseUp(TMouseButton::mbLeft, TShiftStateFlag::ssLeft, X, Y);
        break;
    case TrayMouse::LeftDoubleClick:
        emit OnDblClick();
        break;
    case TrayMouse::RightPress:
        emit OnMouseDown(TMouseButton::mbRight, TShiftStateFlag::ssRight, X, Y);
        break;
    case TrayMouse::RightRelease:
        emit OnMouseUp(TMouseButton::mbRight, TShiftStateFlag::ssRight, X, Y);
        break;
    case TrayMouse::RightDoubleClick:
        break;
    case TrayMouse::MiddlePress:
        emit OnMouseDown(TMouseButton::mbMiddle, TShiftStateFlag::ssMiddle, X, Y);
        break;
    case TrayMouse::MiddleRelease:
        emit OnMouseUp(TMouseButton::mbMiddle, TShiftStateFlag::ssMiddle, X, Y);
        break;
    }

    if (action == TrayMouse::LeftPress && FOuvreSiClicGauche)
        SetApplicationCachee(false);
    if (action == TrayMouse::LeftDoubleClick && FOuvreSiDblClick)
        SetApplicationCachee(false);
    const bool menuWanted = FMenuPop && ((action == TrayMouse::RightPress && FMenuSiClicDroit) ||
                                         (action == TrayMouse::LeftPress && FMenuSiClicGauche));
    if (!menuWanted)
        return;
    Taskbar.bringApplicationToFront();
    FMenuPop->popup(QPoint(X, Y));
}

bool TPiconeBarreTache::OwnerStyleChanged() const {
    return PetiteIconeAffichee && FormAOwner && FormStyleOf(*FormAOwner) != EtatFsStayOnTop;
}

// A new style gives the owner form a new window: the icon shown for the old one is removed and
// shown again.
void TPiconeBarreTache::OwnerWindowChanged() {
    if (!OwnerStyleChanged())
        return;
    NotificationArea.hide();
    RegenerePetiteIcone();
    EtatFsStayOnTop = FormStyleOf(*FormAOwner);
}

void TPiconeBarreTache::ApplicationActivate() {
    if (!FGrandeIconeVisible)
        Taskbar.hide();
}

void TPiconeBarreTache::ApplicationMinimize() {
    if (FCacherSiMinimize)
        Taskbar.hide();
}

bool TPiconeBarreTache::eventFilter(QObject* watched, QEvent* event) {
    if (watched != FormAOwner)
        return false;
    if (changesWindowPosition(event->type()))
        OwnerWindowChanged();
    if (event->type() != QEvent::Close || !FReduireSiFin || PassingCloseOn)
        return false;
    LaFormClose(*FormAOwner, *event);
    return true;
}

// The form's own close handling runs first, on this very event, then the close is cancelled.
void TPiconeBarreTache::LaFormClose(QWidget& form, QEvent& closeEvent) {
    {
        const QScopedValueRollback passing(PassingCloseOn, true);
        QCoreApplication::sendEvent(&form, &closeEvent);
    }
    Taskbar.hide();
    form.setVisible(false);
    closeEvent.ignore();
}

} // namespace orvandel::inline components
