#include "RoundedShape.h"

#include <QWidget>

#include <algorithm>
#include <cmath>

namespace orvandel::inline forms {

namespace {

// How far row `y` of a corner band of `bandHeight` rows is cut in from the side, for an ellipse
// with half-axes `radiusX` and `radiusY`; rows are sampled at their centres.
int cornerInset(int y, double radiusX, double radiusY) {
    const double fromCentre = radiusY - (y + 0.5);
    if (fromCentre <= 0.0)
        return 0;
    const double ratio = fromCentre / radiusY;
    const double halfChord = radiusX * std::sqrt(std::max(0.0, 1.0 - ratio * ratio));
    return static_cast<int>(std::lround(radiusX - halfChord));
}

} // namespace

QRegion roundedRectangleRegion(QSize size, int ellipseWidth, int ellipseHeight) {
    const int width = size.width();
    const int height = size.height();
    if (width <= 0 || height <= 0)
        return {};
    const double radiusX = std::min(ellipseWidth, width) / 2.0;
    const double radiusY = std::min(ellipseHeight, height) / 2.0;
    const int bandHeight = static_cast<int>(std::ceil(radiusY));
    QRegion region(0, bandHeight, width, std::max(0, height - 2 * bandHeight));
    for (int y = 0; y < bandHeight && y < height; ++y) {
        const int inset = cornerInset(y, radiusX, radiusY);
        const int rowWidth = width - 2 * inset;
        if (rowWidth <= 0)
            continue;
        region += QRect(inset, y, rowWidth, 1);
        region += QRect(inset, height - 1 - y, rowWidth, 1);
    }
    return region;
}

void applyRoundedShape(QWidget& window, int ellipseWidth, int ellipseHeight) {
    window.setMask(roundedRectangleRegion(window.size(), ellipseWidth, ellipseHeight));
}

} // namespace orvandel::inline forms
