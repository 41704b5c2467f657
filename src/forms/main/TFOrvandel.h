#pragma once

#include "MainWindowServices.h"
#include "PreviewPicture.h"
#include "RotationTimer.h"
#include "components/tray/TImageList.h"
#include "components/tray/TPiconeBarreTache.h"

#include <QTimer>
#include <QWidget>

#include <cstdint>
#include <memory>

class QMenu;

namespace Ui {
class TFOrvandel;
}

namespace orvandel::inline forms {

// The main window `FOrvandel`: album browser, preview, picture buttons, popup menu and the
// wallpaper change. It owns the rotation timer and the diagnostic log `MemoLog`. What it asks of
// the other windows and of the folder watcher it signals; the application object connects them.
class TFOrvandel final : public QWidget {
    Q_OBJECT

public:
    explicit TFOrvandel(MainWindowServices services, QWidget* parent = nullptr);
    ~TFOrvandel() override;

    // The start-up sequence, run once by the application right after creating the window.
    void FormCreate();
    // Lists the album folder DossierImages again. A picture that cannot be previewed is reported
    // here, and whoever asked for the listing goes on.
    void ChargerOptions();
    // Lets the rotation timer run again, with the interval it already has.
    void enableRotationTimer();
    void ComboBoxAlbumChange();
    void Lst_ImagesClick();
    void Lst_ImagesDblClick();
    void TimerTimer();
    void ChangerFondEcran1Click();
    void BBtnCalendrierClick();
    void QuitterlApplication1Click();
    void WMAppelMessage(std::int64_t lParam);

    // Showing and hiding the application, through the tray icon when the desktop has one.
    void MontrerApplication();
    void CacherApplication();
    // The reduce picture and the red ellipse.
    void Panel2Click();

    RotationTimer& Timer() { return rotationTimer; }
    const PreviewPicture& preview() const { return Image1; }
    QMenu& popupMenu() { return *PopupMenu; }
    TPiconeBarreTache& trayIcon() { return *PiconeBarreTache1; }

signals:
    // CreationNotification(DossierImages, false, file names): (re)start the folder watcher.
    void folderWatchRequested(const QString& DossierImages);
    // The counter to copy into the options dialog's field `eCompteurImages`.
    void counterCopied(const QString& eCompteurImages);
    // The quit command, once the counter is copied: the options dialog's confirmation, then the
    // end unless it fails.
    void quitRequested();
    // A close request has saved the settings: the message loop ends.
    void endRequested();
    void optionsRequested();
    void helpRequested();
    void aboutRequested();
    void slideShowRequested();
    void importRequested();

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void FormActivate();
    void FormClose();
    void log(const QString& line);
    void connectHandlers();
    void connectMenu();
    void setUpTrayIcon();
    void refillRows();
    QString selectedPicture(int row) const;
    bool hasNotificationArea() const;
    void waitForTrayHost();
    void applyWallpaper(const QString& FileName);
    void drawIndexOrChange();

    std::unique_ptr<Ui::TFOrvandel> ui;
    MainWindowServices services;
    ProgramState& state;
    QString settingsPath;
    PreviewPicture Image1;
    RotationTimer rotationTimer;
    QTimer trayHostWait;
    QMenu* PopupMenu;
    TImageList* ImageList1;
    std::unique_ptr<TPiconeBarreTache> PiconeBarreTache1;
    bool shownBefore = false;
};

} // namespace orvandel::inline forms
