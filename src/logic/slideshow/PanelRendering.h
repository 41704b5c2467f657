#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <QSize>

namespace orvandel::inline logic {

// How a slide-show panel shows its picture; the ordinals are stored in the window's radio
// buttons.
enum TPaintStyle { psStretch = 0, psCenter = 1, psMosaic = 2, psProportional = 3 };

// A picture of more pixels than this is stretched instead of tiled, which bounds the tile.
inline constexpr int MosaicPixelLimit = 1280 * 1024;

// The largest rectangle of the picture's proportions that fits the panel, centred. Products and
// quotients are formed in extended precision and truncated, so 400 × 600 in a 600-high panel is
// 399 wide, as the panels have always shown it.
QRect proportionalTarget(QSize picture, QSize panel);

// Where a picture shown at its natural size starts: centred, the halves truncated toward zero.
QPoint centredOrigin(QSize picture, QSize panel);

// The panel's brush bitmap: what it shows, rendered once per change so that a paint is one fill.
// In mosaic style a small picture gives one tile; otherwise the bitmap is the panel's size. The
// margins of the centred and proportional styles take `colour`.
QImage renderBrushBitmap(const QImage& picture, TPaintStyle style, QSize panel, QColor colour);

} // namespace orvandel::inline logic
