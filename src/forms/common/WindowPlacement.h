#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace orvandel::inline forms {

// `wanted` moved as little as needed to lie within `area`; one larger than the area keeps its
// top-left corner inside it.
QRect keptWithin(QRect wanted, const QRect& area);

// The rectangle of `size` centred on `area`.
QRect centredIn(QSize size, const QRect& area);

// Every window opens within the available area of the screen it opens on: the screen less the
// panels. These make the window keep to that rule each time it is shown, opening the first time
// centred on the screen that holds the cursor, or at a place given from the primary screen's
// corner; later it opens where it was left, brought back within the screen when needed.
void opensCentred(QWidget& window);
void opensAt(QWidget& window, QPoint place);

// Moves the window just above and left of the cursor, within the screen that holds it.
void placeBesideCursor(QWidget& window);

} // namespace orvandel::inline forms
