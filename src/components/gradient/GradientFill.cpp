#include "components/gradient/GradientFill.h"

#include <algorithm>
#include <cmath>

namespace orvandel::inline components {
namespace {

double byteOf(TColor color, int shift) {
    return static_cast<double>((color >> shift) & 0xFF);
}

// The default floating-point rounding mode sends halves to the even neighbour.
int roundedByte(double value) {
    return static_cast<int>(std::nearbyint(value)) & 0xFF;
}

int stepsOf(TFillDirection direction, int width, int height) {
    switch (direction) {
    case TFillDirection::fdHorizontal:
        return width;
    case TFillDirection::fdVertical:
        return height;
    case TFillDirection::fdDiagonal:
        return width + height;
    }
    return 0;
}

QRgb* rowOf(QImage& canvas, int y) {
    return reinterpret_cast<QRgb*>(canvas.scanLine(y));
}

} // namespace

std::vector<QRgb> gradientLineColors(TColor StartColor, TColor EndColor, int Steps) {
    if (Steps < 0)
        return {};
    double CrrR = byteOf(StartColor, 0), CrrG = byteOf(StartColor, 8),
           CrrB = byteOf(StartColor, 16);
    // With no step to spread the change over, every increment is 0 instead of a division by 0.
    const double divisor = Steps == 0 ? 0.0 : static_cast<double>(Steps);
    const auto increment = [&](int shift, double start) {
        return divisor == 0.0 ? 0.0 : (byteOf(EndColor, shift) - start) / divisor;
    };
    const double IncR = increment(0, CrrR), IncG = increment(8, CrrG), incB = increment(16, CrrB);
    std::vector<QRgb> colors;
    colors.reserve(static_cast<std::size_t>(Steps) + 1);
    for (int i = 0; i <= Steps; ++i) {
        colors.push_back(qRgb(roundedByte(CrrR), roundedByte(CrrG), roundedByte(CrrB)));
        CrrR += IncR;
        CrrG += IncG;
        CrrB += incB;
    }
    return colors;
}

void GradientFillRect(QImage& Canvas, const QRect& Rect, TColor StartColor, TColor EndColor,
                      TFillDirection Direction) {
    const int Steps = stepsOf(Direction, Rect.width(), Rect.height());
    const std::vector<QRgb> colors = gradientLineColors(StartColor, EndColor, Steps);
    const QRect visible = Rect & Canvas.rect();
    if (visible.isEmpty())
        return;
    // Line colours are looked up by the pixel's place in the rectangle; lines never overlap, so
    // filling row by row gives the same pixels as drawing line after line, only faster.
    const int firstColumn = visible.left() - Rect.left();
    const int columns = visible.width();
    for (int y = visible.top(); y <= visible.bottom(); ++y) {
        QRgb* row = rowOf(Canvas, y) + visible.left();
        const int line = y - Rect.top();
        switch (Direction) {
        case TFillDirection::fdVertical:
            std::fill_n(row, columns, colors[static_cast<std::size_t>(line)]);
            break;
        case TFillDirection::fdHorizontal:
            std::copy_n(colors.begin() + firstColumn, columns, row);
            break;
        case TFillDirection::fdDiagonal: {
            const int skipped = firstColumn == 0 ? 1 : 0;
            if (columns > skipped)
                std::copy_n(colors.begin() + (firstColumn + skipped + line), columns - skipped,
                            row + skipped);
            break;
        }
        }
    }
}

} // namespace orvandel::inline components
