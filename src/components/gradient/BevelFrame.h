#pragma once

#include "components/gradient/GradientTypes.h"

#include <QImage>

namespace orvandel::inline components {

// The ring with its corner at (L, T), Wd and Ht being the distances to its right column and its
// bottom row: left column and top row in LightColor, right column and bottom row in DarkColor,
// drawn as the panel has always drawn them with lines that stop one pixel short of their end, so
// the top-right pixel is dark and the bottom-left one light.
struct BevelRect {
    int L;
    int T;
    int Wd;
    int Ht;
};
void DrawBevel(QImage& Canvas, const BevelRect& Rect, TColor LightColor, TColor DarkColor);

// FrameWidth nested rings, the outermost Offset pixels in from the edge of Canvas.
void DrawFrame(QImage& Canvas, int Offset, int FrameWidth, TColor LightColor, TColor DarkColor);

} // namespace orvandel::inline components
