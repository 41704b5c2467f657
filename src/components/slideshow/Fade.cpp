#include "Fade.h"

#include <algorithm>
#include <cstdint>

namespace orvandel::Fade {

namespace {

// x / 255 rounded to nearest, exact for every x up to 255 × 255.
inline std::uint32_t dividedBy255(std::uint32_t x) {
    x += 128;
    return (x + (x >> 8)) >> 8;
}

// A row as plain bytes, so that the compiler can blend many channels per instruction.
void blendRow(const std::uint8_t* old, const std::uint8_t* incoming, std::uint8_t* destination,
              int bytes, std::uint32_t alpha) {
    const std::uint32_t remaining = 255 - alpha;
    for (int index = 0; index < bytes; ++index)
        destination[index] = static_cast<std::uint8_t>(
            dividedBy255(incoming[index] * alpha + old[index] * remaining));
}

} // namespace

int step(int speed) {
    return (2400 - speed) / speed + 1;
}

std::vector<int> alphas(int speed) {
    const int F = step(speed);
    std::vector<int> sequence;
    int a = 1;
    do {
        a = std::min(a + F, 255);
        sequence.push_back(a);
    } while (a < 255);
    return sequence;
}

void drawFrame(const QImage& old, const QImage& incoming, int alpha, QImage& destination) {
    const int bytes = destination.width() * 4;
    const auto weight = static_cast<std::uint32_t>(std::clamp(alpha, 0, 255));
    for (int y = 0; y < destination.height(); ++y)
        blendRow(old.constScanLine(y), incoming.constScanLine(y), destination.scanLine(y), bytes,
                 weight);
}

} // namespace orvandel::Fade
