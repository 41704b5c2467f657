#pragma once

#include "common/Error.h"
#include "components/tray/Events.h"
#include "components/tray/MainForm.h"
#include "components/tray/TImageList.h"
#include "desktop/TaskbarButton.h"
#include "desktop/TrayIcon.h"

#include <QIcon>
#include <QMenu>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace orvandel::inline components {

// The owner form's style, as far as the notification area cares.
enum class TFormStyle { fsNormal, fsStayOnTop };
TFormStyle FormStyleOf(const QWidget& form);

// Raised only by SetOrdreImageListAffiche.
class ExceptionNumsImageLIstAffiche final : public Error {
public:
    ExceptionNumsImageLIstAffiche();
};

// Ends the taskbar button's call for attention.
void StopFlash(desktop::TaskbarButton& taskbarButton);

// The program's presence in the notification area (the small icon) and on the taskbar (the big
// icon, the taskbar button). The owner sets every property in the order they are declared below,
// then calls Loaded; nothing reaches the notification area before Loaded. The owner form must
// outlive the component.
class TPiconeBarreTache final : public QObject {
    Q_OBJECT

public:
    TPiconeBarreTache(QWidget& AOwner, MainForm& mainForm, desktop::TrayIcon& trayIcon,
                      desktop::TaskbarButton& taskbarButton);
    ~TPiconeBarreTache() override;

    void Loaded();

    void CacherApplication();
    void MontrerApplication();
    void RegenerePetiteIcone();

    // Properties, in the order the owner sets them.
    QMenu* MenuPop() const { return FMenuPop; }
    void SetMenuPop(QMenu* Value) { FMenuPop = Value; }
    bool ReduireSiFin() const { return FReduireSiFin; }
    void SetReduireSiFin(bool Value) { FReduireSiFin = Value; }
    bool CacherSiMinimize() const { return FCacherSiMinimize; }
    void SetCacherSiMinimize(bool Value) { FCacherSiMinimize = Value; }
    bool PetiteIconeVisible() const { return FPetiteIconeVisible; }
    void SetPetiteIconeVisible(bool Value);
    bool GrandeIconeVisible() const { return FGrandeIconeVisible; }
    void SetGrandeIconeVisible(bool Value);
    bool ApplicationCachee() const { return FApplicationCachee; }
    void SetApplicationCachee(bool Value);
    const QString& IconeFileName() const { return FIconeFileName; }
    void SetIconeFileName(const QString& Value);
    const QIcon& Icone() const { return FIcone; }
    void SetIcone(const QIcon& Value);
    TImageList* ImageList() const { return FImageList; }
    void SetImageList(TImageList* Value) { FImageList = Value; }
    const QString& OrdreImageListAffiche() const { return FOrdreImageListAffiche; }
    void SetOrdreImageListAffiche(const QString& Value);
    int IntervalAnimation() const { return FIntervalAnimation; }
    void SetIntervalAnimation(int Value);
    bool Animation() const { return FAnimation; }
    void SetAnimation(bool Value);
    int NumIconeImageList() const { return FNumIconeImageList; }
    void SetNumIconeImageList(int Value);
    const QString& Hint() const { return FHint; }
    void SetHint(const QString& Value);
    bool GrandeIconBlink() const { return FGrandeIconBlink; }
    void SetGrandeIconBlink(bool Value);
    int IntervalGrandeIconeBlink() const { return FIntervalGrandeIconeBlink; }
    void SetIntervalGrandeIconeBlink(int Value);
    bool OuvreSiClicGauche() const { return FOuvreSiClicGauche; }
    void SetOuvreSiClicGauche(bool Value) { FOuvreSiClicGauche = Value; }
    bool OuvreSiDblClick() const { return FOuvreSiDblClick; }
    void SetOuvreSiDblClick(bool Value) { FOuvreSiDblClick = Value; }
    bool MenuSiClicDroit() const { return FMenuSiClicDroit; }
    void SetMenuSiClicDroit(bool Value) { FMenuSiClicDroit = Value; }
    bool MenuSiClicGauche() const { return FMenuSiClicGauche; }
    void SetMenuSiClicGauche(bool Value) { FMenuSiClicGauche = Value; }
    int NumIconeAfficheImageList() const { return FNumIconeAfficheImageList; }
    void SetNumIconeAfficheImageList(int Value);

    // The timers' tick handlers.
    void TimerAnimationPetiteIconeOnTimer();
    void TimerBigIconeOnTimer();

signals:
    // What the mouse did on the small icon; X and Y are the pointer's place on the screen.
    void OnMouseUp(orvandel::TMouseButton Button, orvandel::TShiftState Shift, int X, int Y);
    void OnMouseDown(orvandel::TMouseButton Button, orvandel::TShiftState Shift, int X, int Y);
    void OnMouseMove(orvandel::TShiftState Shift, int X, int Y);
    void OnDblClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void TrayMessage(desktop::TrayMouse action);
    void ApplicationActivate();
    void ApplicationMinimize();
    void LaFormClose(QWidget& form, QEvent& closeEvent);
    void OwnerWindowChanged();
    bool OwnerStyleChanged() const;
    void ShowSmallIcon();

    MainForm& ApplicationMainForm;
    desktop::TrayIcon& NotificationArea;
    desktop::TaskbarButton& Taskbar;

    QPointer<QMenu> FMenuPop;
    bool FReduireSiFin = false;
    bool FCacherSiMinimize = false;
    bool FGrandeIconeVisible = false;
    bool FPetiteIconeVisible = false;
    bool FApplicationCachee = false;
    QIcon FIcone;
    QString FHint;
    bool PetiteIconeAffichee = false;
    bool DejaLoaded = false;
    QString FIconeFileName;
    QTimer TimerGrandeIconeBlink;
    QTimer TimerAnimationPetiteIcone;
    int FIntervalGrandeIconeBlink = 0;
    bool FGrandeIconBlink = false;
    bool FOuvreSiClicGauche = false;
    QPointer<TImageList> FImageList;
    int FIntervalAnimation = 0;
    bool FAnimation = false;
    int FNumIconeAfficheImageList = 0;
    int FNumIconeImageList = 0;
    bool FOuvreSiDblClick = false;
    bool FMenuSiClicGauche = false;
    bool FMenuSiClicDroit = false;
    QString FOrdreImageListAffiche;
    int NbNumOrdreImageListAffiche = 0;
    int NumImageListAffiche = 0;
    QPointer<QWidget> FormAOwner;
    // Set while the owner form's own close handling runs on a close this component intercepted.
    bool PassingCloseOn = false;
    TFormStyle EtatFsStayOnTop = TFormStyle::fsNormal;
};

} // namespace orvandel::inline components
