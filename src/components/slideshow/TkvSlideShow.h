#pragma once

#include "components/slideshow/PictureList.h"
#include "components/slideshow/TkvImgPanel.h"
#include "logic/slideshow/PanelRendering.h"

#include <QColor>
#include <QObject>
#include <QString>
#include <QTimer>

#include <array>
#include <random>

class QWidget;

namespace orvandel::inline logic {
class ErrorReport;
}

namespace orvandel::inline components {

class WindowAnimator;

// The eighteen transitions; their ordinals are the rows of the slide-show window's list.
enum TAnimateStyle {
    asBlend,
    asCenter,
    asLeft,
    asRight,
    asBottom,
    asTop,
    asTopLeft,
    asTopRight,
    asBottomLeft,
    asBottomRight,
    asSLeft,
    asSRight,
    asSBottom,
    asSTop,
    asSTopLeft,
    asSTopRight,
    asSBottomLeft,
    asSBottomRight,
};

inline constexpr int AnimateStyleCount = 18;

// The window-animation flags of each transition.
extern const std::array<quint32, AnimateStyleCount> Effects;

// Plays a slide show of picture files in a host widget: two picture panels fill the host, one
// over the other; at each tick the next picture goes into the hidden one, which comes in over the
// other with a transition, and the two swap roles.
class TkvSlideShow final : public QObject {
    Q_OBJECT

public:
    // Walks the user's pictures folder into the list; the show is stopped. The engine must go
    // before its owner, whose children its panels are.
    TkvSlideShow(QWidget& aOwner, ErrorReport& report, WindowAnimator& animator);
    ~TkvSlideShow() override;

    // Re-seeds the transitions' random draw and brings the next picture in at once.
    void Start();
    // Stops after the transition under way; a later Start goes on with the next picture.
    void Stop();
    // Rewinds to the first picture, running or not.
    void Reset();

    TAnimateStyle AnimateStyle() const { return FAnimateStyle; }
    void SetAnimateStyle(TAnimateStyle style) { FAnimateStyle = style; }
    bool RandomAnimate() const { return FRandomAnimate; }
    void SetRandomAnimate(bool random) { FRandomAnimate = random; }
    // Duration of a transition in milliseconds, at least 1.
    int Speed() const { return FSpeed; }
    void SetSpeed(int milliseconds);
    // Pause between the end of a transition and the start of the next, in milliseconds.
    int Interval() const { return FInterval; }
    void SetInterval(int milliseconds);
    TPaintStyle PaintStyle() const { return FPaintStyle; }
    void SetPaintStyle(TPaintStyle style);
    QColor Color() const { return FColor; }
    void SetColor(QColor colour);
    const QString& Directory() const { return FDirectory; }
    // Lists the folder's pictures and sub-folders' pictures in place of the list.
    void SetDirectory(const QString& folder);

    PictureList& IMGList() { return FIMGList; }
    // The incoming picture while OnImageChange is raised.
    const QString& ImageName() const { return FImageName; }

    bool Running() const { return FTimer.isActive(); }
    int ImageIndex() const { return FIMGIndex; }

    // The tick: the timer's handler, also run by Start. A picture that fails to load is reported
    // and stops the show on that picture.
    void DoAnimate();

signals:
    // Raised at each tick before the transition, when ImageName holds the incoming picture.
    void OnImageChange(orvandel::TkvSlideShow& Sender);

private:
    void Tick();
    void DoBlend(TkvImgPanel& incoming, TkvImgPanel& onDisplay);
    void IMGListChanged();
    quint32 ChosenEffect();
    TkvImgPanel& Display(bool index) { return *FDisplay[index ? 1 : 0]; }

    ErrorReport& FReport;
    WindowAnimator& FAnimator;
    bool IsMainPanel = false;
    QTimer FTimer;
    std::array<TkvImgPanel*, 2> FDisplay{};
    QString FDirectory;
    int FSpeed = 800;
    int FInterval = 5000;
    PictureList FIMGList;
    int FIMGIndex = 0;
    TPaintStyle FPaintStyle = psProportional;
    TAnimateStyle FAnimateStyle = asBlend;
    bool FRandomAnimate = true;
    QColor FColor = QColor(0x80, 0x80, 0x80);
    QString FImageName;
    std::mt19937 FRandom;
};

} // namespace orvandel::inline components
