#include "TransitionFrame.h"

#include "components/slideshow/WindowAnimator.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace orvandel::inline components {

namespace {

int portion(int length, double progress) {
    return static_cast<int>(std::lround(length * std::clamp(progress, 0.0, 1.0)));
}

// Where the start of an axis of `length` goes while `shown` of it is in view: from the low
// edge, from the high edge, or the whole axis when the animation does not run along it.
std::pair<int, int> span(int length, int shown, bool fromLow, bool fromHigh) {
    if (fromLow)
        return {0, shown};
    if (fromHigh)
        return {length - shown, shown};
    return {0, length};
}

// How far a sliding window still is from its place.
QPoint slideOffset(QSize area, QSize shown, quint32 flags) {
    const int dx = area.width() - shown.width();
    const int dy = area.height() - shown.height();
    return {(flags & AW_HOR_POSITIVE)   ? -dx
            : (flags & AW_HOR_NEGATIVE) ? dx
                                        : 0,
            (flags & AW_VER_POSITIVE)   ? -dy
            : (flags & AW_VER_NEGATIVE) ? dy
                                        : 0};
}

} // namespace

QRect uncoveredPart(QSize area, quint32 flags, double progress) {
    const int width = portion(area.width(), progress);
    const int height = portion(area.height(), progress);
    if (flags & AW_CENTER)
        return {(area.width() - width) / 2, (area.height() - height) / 2, width, height};
    const auto [x, w] = span(area.width(), width, flags & AW_HOR_POSITIVE, flags & AW_HOR_NEGATIVE);
    const auto [y, h] =
        span(area.height(), height, flags & AW_VER_POSITIVE, flags & AW_VER_NEGATIVE);
    return {x, y, w, h};
}

void drawTransitionFrame(QPainter& painter, const QImage& under, const QImage& incoming,
                         quint32 flags, double progress) {
    painter.drawImage(0, 0, under);
    if (flags & AW_BLEND) {
        painter.setOpacity(std::clamp(progress, 0.0, 1.0));
        painter.drawImage(0, 0, incoming);
        painter.setOpacity(1.0);
        return;
    }
    const QRect target = uncoveredPart(incoming.size(), flags, progress);
    if (target.isEmpty())
        return;
    const QPoint offset =
        (flags & AW_SLIDE) ? slideOffset(incoming.size(), target.size(), flags) : QPoint();
    painter.drawImage(target, incoming, target.translated(-offset));
}

} // namespace orvandel::inline components
