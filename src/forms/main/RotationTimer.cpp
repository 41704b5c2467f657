#include "RotationTimer.h"

#include "logic/rotation/RotationInterval.h"

#include <limits>

namespace orvandel {

RotationTimer::RotationTimer(QObject* parent)
    : QObject(parent) {
    connect(&timer, &QTimer::timeout, this, &RotationTimer::onUnderlyingTick);
}

void RotationTimer::setMinutes(std::int32_t Tempo) {
    milliseconds = rotationInterval(Tempo).value_or(0);
    restart();
}

void RotationTimer::setEnabled(bool enable) {
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

} // namespace orvandel
