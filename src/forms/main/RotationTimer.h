#pragma once

#include <QObject>
#include <QTimer>

#include <cstdint>

namespace orvandel::inline forms {

// The rotation timer `Timer`: ticks every `Tempo` minutes once enabled. Minutes that give no
// interval (0, negative, or too many milliseconds for 32 bits) never tick, even when enabled.
class RotationTimer final : public QObject {
    Q_OBJECT

public:
    explicit RotationTimer(QObject* parent = nullptr);

    void setMinutes(std::int32_t Tempo);
    void setEnabled(bool enabled);
    bool isTicking() const { return timer.isActive(); }
    // Milliseconds until the underlying timer next fires, −1 when it does not run.
    int remainingMilliseconds() const { return timer.remainingTime(); }
    // The interval in milliseconds, 0 when the timer never ticks.
    std::uint32_t interval() const { return milliseconds; }

signals:
    void tick();

private:
    void restart();
    void onUnderlyingTick();

    QTimer timer;
    std::uint32_t milliseconds = 0;
    bool enabled = false;
    // The toolkit's timer holds at most 2^31 − 1 ms: longer intervals tick every second half.
    bool halved = false;
    bool halfElapsed = false;
};

} // namespace orvandel::inline forms
