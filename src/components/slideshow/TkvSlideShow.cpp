#include "TkvSlideShow.h"

#include "components/slideshow/Fade.h"
#include "components/slideshow/WindowAnimator.h"
#include "logic/ErrorReport.h"
#include "logic/slideshow/FindFiles.h"
#include "logic/slideshow/UPath.h"

#include <QDateTime>
#include <QMetaMethod>
#include <QWidget>

namespace orvandel::inline components {

const std::array<quint32, AnimateStyleCount> Effects = {
    AW_BLEND,
    AW_CENTER,
    AW_HOR_POSITIVE,
    AW_HOR_NEGATIVE,
    AW_VER_NEGATIVE,
    AW_VER_POSITIVE,
    AW_HOR_POSITIVE | AW_VER_POSITIVE,
    AW_HOR_NEGATIVE | AW_VER_POSITIVE,
    AW_HOR_POSITIVE | AW_VER_NEGATIVE,
    AW_HOR_NEGATIVE | AW_VER_NEGATIVE,
    AW_SLIDE | AW_HOR_POSITIVE,
    AW_SLIDE | AW_HOR_NEGATIVE,
    AW_SLIDE | AW_VER_NEGATIVE,
    AW_SLIDE | AW_VER_POSITIVE,
    AW_SLIDE | AW_HOR_POSITIVE | AW_VER_POSITIVE,
    AW_SLIDE | AW_HOR_NEGATIVE | AW_VER_POSITIVE,
    AW_SLIDE | AW_HOR_POSITIVE | AW_VER_NEGATIVE,
    AW_SLIDE | AW_HOR_NEGATIVE | AW_VER_NEGATIVE,
};

namespace {

const QString PictureExtensions = QStringLiteral(".bmp; .jpg; .png");

// The timer's state is kept across a change that must not start or stop the show.
class TimerPause {
public:
    explicit TimerPause(QTimer& paused)
        : timer(paused)
        , wasRunning(paused.isActive()) {
        paused.stop();
    }
    void resume() {
        if (wasRunning)
            timer.start();
    }

private:
    QTimer& timer;
    bool wasRunning;
};

} // namespace

TkvSlideShow::TkvSlideShow(QWidget& aOwner, ErrorReport& report, WindowAnimator& animator)
    : FReport(report)
    , FAnimator(animator) {
    FTimer.setSingleShot(false);
    FTimer.setInterval(FInterval);
    QObject::connect(&FTimer, &QTimer::timeout, [this] { DoAnimate(); });
    for (TkvImgPanel*& panel : FDisplay) {
        panel = new TkvImgPanel(&aOwner);
        panel->SetColor(FColor);
        panel->show();
    }
    connect(&FIMGList, &PictureList::OnChange, this, &TkvSlideShow::IMGListChanged);
    SetDirectory(UPath::GetFolder(UPath::CSIDL_MYPICTURES).value_or(QString()));
}

TkvSlideShow::~TkvSlideShow() {
    for (TkvImgPanel* panel : FDisplay)
        delete panel;
}

void TkvSlideShow::Start() {
    FRandom.seed(static_cast<std::mt19937::result_type>(QDateTime::currentMSecsSinceEpoch()));
    DoAnimate();
}

void TkvSlideShow::Stop() {
    FTimer.stop();
}

void TkvSlideShow::Reset() {
    FIMGIndex = 0;
}

void TkvSlideShow::SetSpeed(int milliseconds) {
    // The fade divides by the speed.
    FSpeed = std::max(1, milliseconds);
}

void TkvSlideShow::SetInterval(int milliseconds) {
    if (milliseconds == FInterval)
        return;
    FInterval = milliseconds;
    FTimer.setInterval(milliseconds);
}

void TkvSlideShow::SetPaintStyle(TPaintStyle style) {
    if (style == FPaintStyle)
        return;
    FPaintStyle = style;
    Display(!IsMainPanel).SetPaintStyle(style);
    Display(IsMainPanel).SetPaintStyle(style);
}

void TkvSlideShow::SetColor(QColor colour) {
    if (colour == FColor)
        return;
    FColor = colour;
    Display(!IsMainPanel).SetColor(colour);
    Display(IsMainPanel).SetColor(colour);
}

void TkvSlideShow::SetDirectory(const QString& folder) {
    TimerPause pause(FTimer);
    FIMGIndex = 0;
    FIMGList.Clear();
    FDirectory = folder;
    QStringList found;
    kvFilesUtils::FindFiles(FDirectory, PictureExtensions, found, true);
    FIMGList.AddStrings(found);
    pause.resume();
}

void TkvSlideShow::IMGListChanged() {
    TimerPause pause(FTimer);
    Reset();
    pause.resume();
}

void TkvSlideShow::DoAnimate() {
    FTimer.stop();
    FReport.run([this] { Tick(); });
}

void TkvSlideShow::Tick() {
    if (FIMGList.Count() < 2)
        return;
    // ImageName follows the show only for those who listen.
    if (isSignalConnected(QMetaMethod::fromSignal(&TkvSlideShow::OnImageChange))) {
        FImageName = FIMGList[FIMGIndex];
        emit OnImageChange(*this);
    }
    TkvImgPanel& incoming = Display(IsMainPanel);
    TkvImgPanel& onDisplay = Display(!IsMainPanel);
    FAnimator.AnimateWindow(incoming, 0, AW_HIDE | AW_VER_NEGATIVE);
    incoming.LoadFromFile(FIMGList[FIMGIndex]);
    const quint32 flags = ChosenEffect();
    if (flags == AW_BLEND)
        DoBlend(incoming, onDisplay);
    else
        FAnimator.AnimateWindow(incoming, FSpeed, flags | AW_ACTIVATE);
    IsMainPanel = !IsMainPanel;
    Display(IsMainPanel).Assign(incoming);
    if (++FIMGIndex > FIMGList.Count() - 1)
        FIMGIndex = 0;
    FTimer.start();
}

quint32 TkvSlideShow::ChosenEffect() {
    if (!FRandomAnimate)
        return Effects[FAnimateStyle];
    std::uniform_int_distribution<int> draw(0, AnimateStyleCount - 1);
    return Effects[draw(FRandom)];
}

void TkvSlideShow::DoBlend(TkvImgPanel& incoming, TkvImgPanel& onDisplay) {
    // The panel on display shows the frames from here, so the frame outlives the final showing
    // below, which renders that panel as what lies under the incoming one.
    QImage destination;
    // The new picture is on display in the incoming panel at the end, whatever happens before.
    struct ShowIncoming {
        TkvSlideShow& show;
        TkvImgPanel& incoming;
        ~ShowIncoming() {
            show.FAnimator.AnimateWindow(incoming, show.FSpeed, AW_BLEND | AW_ACTIVATE);
        }
    } showIncoming{*this, incoming};
    const QImage source = incoming.Rendered();
    const QImage old = onDisplay.Rendered();
    destination = QImage(old.size(), QImage::Format_RGB32);
    for (const int alpha : fadeAlphas(FSpeed)) {
        drawFadeFrame(old, source, alpha, destination);
        onDisplay.ShowFrame(destination);
    }
}

} // namespace orvandel::inline components
