#pragma once

#include "components/slideshow/TkvSlideShow.h"
#include "components/slideshow/TransitionAnimator.h"
#include "desktop/Dialogs.h"
#include "desktop/FolderDialog.h"
#include "logic/ErrorReport.h"
#include "logic/settings/ProgramState.h"

#include <QByteArray>
#include <QWidget>

#include <memory>

class QRadioButton;

namespace Ui {
class TFormSlideShow;
}

namespace orvandel::inline forms {

// What the slide-show window works with, owned by the application object. The album's folder
// and picture names are read from the program state when the user takes them.
struct SlideShowServices {
    ErrorReport& report;
    desktop::Dialogs& dialogs;
    const ProgramState& state;
    desktop::FolderDialog& folderDialog;
};

// The window that plays a slide show in its output area, with a band of controls below: the
// pictures, the paint style, the transition, its speed and the delay between pictures. Created
// hidden at start and shown again and again; closing it only hides it, and a show keeps running.
class TFormSlideShow : public QWidget {
public:
    explicit TFormSlideShow(const SlideShowServices& services, QWidget* parent = nullptr);
    ~TFormSlideShow() override;

    // Creates the engine in the output area, which lists the user's pictures folder.
    void FormCreate();

    void btn_StartClick();
    void btn_StopClick();
    void btn_ResetClick();
    void rb_StretchClick(const QRadioButton& sender);
    void tbar_SpeedChange();
    void sped_DelayChange(const QString& text);
    void lb_AnimTypeClick();
    void btn_SelectImagesClick();
    void btn_ChangeDirClick();
    // Enters or leaves full-screen mode: borderless and maximised, the cursor hidden over this
    // window, the band of controls still shown.
    void FullScreen();
    void ImageChanged();

    bool isFullScreenMode() const { return fullScreenMode; }
    const Ui::TFormSlideShow& controls() const { return *ui; }
    TkvSlideShow& engine() { return *SlideShow; }

protected:
    // The window sees every key first: F6 and Escape act on release and Enter takes the album's
    // pictures, whichever control has the focus.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setPictures();
    void connectHandlers();
    void watchKeysOf(QWidget& widget);

    std::unique_ptr<Ui::TFormSlideShow> ui;
    SlideShowServices services;
    TransitionAnimator animator;
    std::unique_ptr<TkvSlideShow> SlideShow;
    bool fullScreenMode = false;
    // The window's normal place and size, kept while in full-screen mode.
    QByteArray WinPlacement;
};

} // namespace orvandel::inline forms
