#include "RotationInterval.h"

#include <limits>

namespace orvandel::inline logic {

std::optional<std::uint32_t> rotationInterval(std::int32_t Tempo) {
    constexpr std::int64_t MillisecondsPerMinute = 60000;
    const std::int64_t milliseconds = std::int64_t{Tempo} * MillisecondsPerMinute;
    if (milliseconds <= 0 || milliseconds > std::numeric_limits<std::uint32_t>::max())
        return std::nullopt;
    return static_cast<std::uint32_t>(milliseconds);
}

} // namespace orvandel::inline logic
