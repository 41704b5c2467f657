#pragma once

#include "MainWindowLinks.h"
#include "PreviewPicture.h"
#include "RotationTimer.h"

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
class TFOrvandel final : public QWidget {
    Q_OBJECT

public:
    // Window messages answered as the notification-area callback: the message and its codes.
    static constexpr std::uint32_t WM_APPELMESSAGE = 1025;
    static constexpr std::int64_t WM_LBUTTONDBLCLK = 515;
    static constexpr std::int64_t WM_RBUTTONDOWN = 516;

    TFOrvandel(MainWindowServices services, MainWindowLinks links, QWidget* parent = nullptr);
    ~TFOrvandel() override;

    // The start-up sequence, run once by the application right after creating the window.
    void FormCreate();
    void ChargerOptions();
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

    RotationTimer& Timer() { return rotationTimer; }
    const PreviewPicture& preview() const { return Image1; }
    QMenu& popupMenu() { return *PopupMenu; }

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
    void refillRows();
    QString selectedPicture(int row) const;
    bool hasNotificationArea() const;
    template <typename Link, typename... Arguments>
    void call(const Link& link, Arguments&&... arguments) const;

    std::unique_ptr<Ui::TFOrvandel> ui;
    MainWindowServices services;
    ProgramState& state;
    MainWindowLinks links;
    QString settingsPath;
    PreviewPicture Image1;
    RotationTimer rotationTimer;
    QMenu* PopupMenu;
    bool shownBefore = false;
};

} // namespace orvandel
