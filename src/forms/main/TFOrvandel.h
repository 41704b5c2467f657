#pragma once

#include "MainWindowLinks.h"
#include "PreviewPicture.h"
#include "RotationTimer.h"
#include "components/tray/TImageList.h"
#include "components/tray/TPiconeBarreTache.h"
#include "forms/options/OptionsDialogHost.h"

#include <QTimer>
#include <QWidget>

#include <cstdint>
#include <memory>

class QMenu;

namespace Ui {
class TFOrvandel;
}

namespace orvandel {

// The main window `FOrvandel`: album browser, preview, picture buttons, popup menu and the
// wallpaper change. It owns the rotation timer and the diagnostic log `MemoLog`.
class TFOrvandel final : public QWidget, public OptionsDialogHost {
    Q_OBJECT

public:
    TFOrvandel(MainWindowServices services, MainWindowLinks links, QWidget* parent = nullptr);
    ~TFOrvandel() override;

    // The start-up sequence, run once by the application right after creating the window.
    void FormCreate();
    void ChargerOptions() override;
    void enableRotationTimer() override;
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
    template <typename Link, typename... Arguments>
    void call(const Link& link, Arguments&&... arguments) const;

    std::unique_ptr<Ui::TFOrvandel> ui;
    MainWindowServices services;
    ProgramState& state;
    MainWindowLinks links;
    QString settingsPath;
    PreviewPicture Image1;
    RotationTimer rotationTimer;
    QTimer trayHostWait;
    QMenu* PopupMenu;
    TImageList* ImageList1;
    std::unique_ptr<TPiconeBarreTache> PiconeBarreTache1;
    bool shownBefore = false;
};

} // namespace orvandel
