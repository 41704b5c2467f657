#include "TransitionAnimator.h"

#include "components/slideshow/TransitionFrame.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPainter>
#include <QThread>
#include <QWidget>

#include <algorithm>
#include <memory>

namespace orvandel::inline components {

namespace {

// A frame every 10 ms at most: smoother than any screen needs, and the loop leaves the
// processor to the rest of the desktop in between.
constexpr qint64 FramePeriod = 10;

struct Snapshots {
    QImage under;
    QImage incoming;
};

// What the hidden window covers once shown, and what it shows.
Snapshots snapshotsOf(QWidget& window) {
    QWidget& parent = *window.parentWidget();
    Snapshots shots{QImage(window.size(), QImage::Format_RGB32),
                    QImage(window.size(), QImage::Format_RGB32)};
    shots.under.fill(Qt::black);
    parent.render(&shots.under, QPoint(), QRegion(window.geometry()), QWidget::DrawChildren);
    window.render(&shots.incoming, QPoint(), QRegion(), QWidget::DrawChildren);
    return shots;
}

// Draws the frames in the window's place while the window is still hidden.
class FrameSurface final : public QWidget {
public:
    FrameSurface(QWidget& window, const Snapshots& snapshots, quint32 animation)
        : QWidget(window.parentWidget())
        , shots(snapshots)
        , flags(animation) {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setGeometry(window.geometry());
    }

    double progress = 0;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        drawTransitionFrame(painter, shots.under, shots.incoming, flags, progress);
    }

private:
    const Snapshots& shots;
    quint32 flags;
};

void showAtOnce(QWidget& window) {
    window.show();
    window.raise();
}

} // namespace

void TransitionAnimator::AnimateWindow(QWidget& window, int milliseconds, quint32 flags) {
    frameCount = 0;
    if (flags & AW_HIDE) {
        window.hide();
        return;
    }
    if (window.isVisible())
        return;
    QWidget* parent = window.parentWidget();
    if (milliseconds <= 0 || parent == nullptr || !parent->isVisible() || window.size().isEmpty())
        return showAtOnce(window);
    const Snapshots shots = snapshotsOf(window);
    // A window that looks like what it covers (the fade has already drawn its picture) needs no
    // animation.
    if (shots.under == shots.incoming)
        return showAtOnce(window);
    auto surface = std::make_unique<FrameSurface>(window, shots, flags);
    surface->show();
    surface->raise();
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        const qint64 elapsed = clock.elapsed();
        surface->progress = std::min(1.0, static_cast<double>(elapsed) / milliseconds);
        surface->repaint();
        ++frameCount;
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        if (surface->progress >= 1.0)
            break;
        const qint64 wait = FramePeriod - (clock.elapsed() - elapsed);
        if (wait > 0)
            QThread::msleep(static_cast<unsigned long>(wait));
    }
    showAtOnce(window);
}

QImage TransitionAnimator::renderFrame(QWidget& window, quint32 flags, double progress) const {
    const Snapshots shots = snapshotsOf(window);
    QImage frame(window.size(), QImage::Format_RGB32);
    QPainter painter(&frame);
    drawTransitionFrame(painter, shots.under, shots.incoming, flags, progress);
    return frame;
}

} // namespace orvandel::inline components
