#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace orvandel {

// The top-left corner that puts a window of `size` just above and left of the cursor, moved as
// little as needed to lie wholly within `screenArea` (its top-left corner wins when it cannot).
QPoint placeNearCursor(QPoint cursor, QSize size, const QRect& screenArea);

// The top-left corner that centres a window of `size` on `screenArea`.
QPoint placeCentred(QSize size, const QRect& screenArea);

} // namespace orvandel
