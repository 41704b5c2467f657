#pragma once

#include <QImage>

#include <vector>

namespace orvandel::inline components {

// How much the alpha grows from one frame to the next for a fade meant to last `speed`
// milliseconds: a longer fade takes finer steps.
int fadeStep(int speed);

// The constant alpha of each frame, from 1 + step up to 255, which the last frame always reaches.
std::vector<int> fadeAlphas(int speed);

// One frame: the old picture with the new one blended over it at constant `alpha` (0 to 255),
// as a constant-alpha AlphaBlend would leave it. All three are the same size, 32 bits per pixel.
void drawFadeFrame(const QImage& old, const QImage& incoming, int alpha, QImage& destination);

} // namespace orvandel::inline components
