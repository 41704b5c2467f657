#include "Fade.h"

#include <algorithm>
#include <cstdint>

namespace orvandel::inline components {

namespace {

// x / 255 rounded to nearest, exact for every x up to 255 × 255. Every step fits 16 bits, so
// that the compiler blends eight or sixteen channels per instruction.
inline std::uint16_t dividedBy255(std::uint16_t x) {
    x = static_cast<std::uint16_t>(x + 128);
    return static_cast<std::uint16_t>((x + (x >> 8)) >> 8);
}

// Built for the wider vector units as well, picked when the program starts on a processor that
// has them.
__attribute__((target_clones("avx2", "default"))) void
blendRow(const std::uint8_t* __restrict old, const std::uint8_t* __restrict incoming,
         std::uint8_t* __restrict destination, int bytes, std::uint16_t alpha) {
    const auto remaining = static_cast<std::uint16_t>(255 - alpha);
    for (int index = 0; index < bytes; ++index)
        destination[index] = static_cast<std::uint8_t>(dividedBy255(
            static_cast<std::uint16_t>(incoming[index] * alpha + old[index] * remaining)));
}

} // namespace

int fadeStep(int speed) {
    return (2400 - speed) / speed + 1;
}

std::vector<int> fadeAlphas(int speed) {
    const int F = fadeStep(speed);
    std::vector<int> sequence;
    int a = 1;
    do {
        a = std::min(a + F, 255);
        sequence.push_back(a);
    } while (a < 255);
    return sequence;
}

void drawFadeFrame(const QImage& old, const QImage& incoming, int alpha, QImage& destination) {
    const int bytes = destination.width() * 4;
    const auto weight = static_cast<std::uint16_t>(std::clamp(alpha, 0, 255));
    for (int y = 0; y < destination.height(); ++y)
        blendRow(old.constScanLine(y), incoming.constScanLine(y), destination.scanLine(y), bytes,
                 weight);
}

} // namespace orvandel::inline components
