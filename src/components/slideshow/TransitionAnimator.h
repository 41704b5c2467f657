#pragma once

#include "components/slideshow/WindowAnimator.h"

#include <QImage>

namespace orvandel::inline components {

// Animates child windows by drawing each frame over the window's place from two snapshots: what
// lies under it and the window itself. Frames follow the clock, so a slow machine drops frames
// rather than lengthening the animation.
class TransitionAnimator final : public WindowAnimator {
public:
    void AnimateWindow(QWidget& window, int milliseconds, quint32 flags) override;

    // The frame a showing animation draws at `progress` (0 to 1), for a hidden child window.
    QImage renderFrame(QWidget& window, quint32 flags, double progress) const;

    // Frames drawn by the last animation.
    int lastFrameCount() const { return frameCount; }

private:
    int frameCount = 0;
};

} // namespace orvandel::inline components
