#pragma once

#include <cstdint>
#include <random>

namespace orvandel::inline logic {

// The pseudo-random draws of the wallpaper change: a uniform index in 0 .. count − 1.
class RandomIndex {
public:
    virtual ~RandomIndex() = default;

    // `count` is at least 1.
    virtual std::int32_t draw(std::int32_t count) = 0;
};

// Seeded once from the clock when it is made, at start-up.
class ClockSeededRandomIndex final : public RandomIndex {
public:
    ClockSeededRandomIndex();

    std::int32_t draw(std::int32_t count) override;

private:
    std::mt19937 generator;
};

} // namespace orvandel::inline logic
