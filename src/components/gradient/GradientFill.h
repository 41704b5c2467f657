#pragma once

#include "components/gradient/GradientTypes.h"

#include <QImage>
#include <QRect>

#include <vector>

namespace orvandel::inline components {

// The colours of the Steps + 1 gradient lines, accumulated step by step in double precision and
// rounded half to even, as the panel has always drawn them. Steps = 0 gives the start colour alone.
std::vector<QRgb> gradientLineColors(TColor StartColor, TColor EndColor, int Steps);

// Fills Rect of Canvas (Format_RGB32) with lines of those colours: columns, rows, or the diagonals
// x + y = i. A diagonal line stops before column 0 of the rectangle, which keeps its pixels.
void GradientFillRect(QImage& Canvas, const QRect& Rect, TColor StartColor, TColor EndColor,
                      TFillDirection Direction);

} // namespace orvandel::inline components
