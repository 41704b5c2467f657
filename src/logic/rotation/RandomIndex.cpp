#include "RandomIndex.h"

#include <chrono>

namespace orvandel::inline logic {

ClockSeededRandomIndex::ClockSeededRandomIndex()
    : generator(static_cast<std::mt19937::result_type>(
          std::chrono::steady_clock::now().time_since_epoch().count())) {}

std::int32_t ClockSeededRandomIndex::draw(std::int32_t count) {
    return std::uniform_int_distribution<std::int32_t>(0, count - 1)(generator);
}

} // namespace orvandel::inline logic
