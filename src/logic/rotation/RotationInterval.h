#pragma once

#include <cstdint>
#include <optional>

namespace orvandel::inline logic {

// The timer's interval in milliseconds for `Tempo` minutes, or nothing when the timer must never
// tick: 0 minutes, negative minutes, and minutes whose milliseconds do not fit in 32 bits.
std::optional<std::uint32_t> rotationInterval(std::int32_t Tempo);

} // namespace orvandel::inline logic
