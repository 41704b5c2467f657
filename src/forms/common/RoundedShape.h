#pragma once

#include <QRegion>
#include <QSize>

class QWidget;

namespace orvandel::inline forms {

// The rounded rectangle from (0, 0) to `size` whose corners are quarters of an ellipse
// `ellipseWidth` wide and `ellipseHeight` high, built row by row so that its edge does not depend
// on a painter's antialiasing.
QRegion roundedRectangleRegion(QSize size, int ellipseWidth, int ellipseHeight);

// Cuts a borderless window to that shape at its current size; windows call it at every
// activation, since a resize would otherwise leave the old outline.
void applyRoundedShape(QWidget& window, int ellipseWidth, int ellipseHeight);

} // namespace orvandel::inline forms
