#include "RotationTimer.h"

#include "logic/rotation/RotationInterval.h"

#include <limits>

namespace orvandel::inline forms {

RotationTimer::RotationTimer(QObject* parent)
    : QObject(parent) {
    connect(&timer, &QTimer::timeout, this, &RotationTimer::onUnderlyingTick);
}

// As the toolkit's timer does, a setting that changes nothing leaves a running countdown alone:
// closing the options dialog or choosing an album must not postpone the next change.
void RotationTimer::setMinutes(std::int32_t Tempo) {
    const std::uint32_t wanted = rotationInterval(Tempo).value_or(0);
    if (wanted == milliseconds)
        return;
    milliseconds = wanted;
    restart();
}

void RotationTimer::setEnabled(bool enable) {
    if (enable == enabled)
        return;
    enabled = enable;
    restart();
}

void RotationTimer::restart() {
    timer.stop();
    halfElapsed = false;
    if (!enabled || milliseconds == 0)
        return;
    halved = milliseconds > static_cast<std::uint32_t>(std::numeric_limits<int>::max());
    // Whole minutes of milliseconds are even, so two halves make the interval exactly.
    timer.start(static_cast<int>(halved ? milliseconds / 2 : milliseconds));
}

void RotationTimer::onUnderlyingTick() {
    if (halved) {
        halfElapsed = !halfElapsed;
        if (halfElapsed)
            return;
    }
    emit tick();
}

} // namespace orvandel::inline forms
