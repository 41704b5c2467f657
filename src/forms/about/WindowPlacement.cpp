#include "forms/about/WindowPlacement.h"

#include <algorithm>

namespace orvandel {
namespace {

int clampedStart(int wanted, int length, int areaStart, int areaLength) {
    return std::max(areaStart, std::min(wanted, areaStart + areaLength - length));
}

} // namespace

QPoint placeNearCursor(QPoint cursor, QSize size, const QRect& screenArea) {
    return QPoint(clampedStart(cursor.x() - size.width(), size.width(), screenArea.left(),
                               screenArea.width()),
                  clampedStart(cursor.y() - size.height(), size.height(), screenArea.top(),
                               screenArea.height()));
}

QPoint placeCentred(QSize size, const QRect& screenArea) {
    return screenArea.topLeft() + QPoint((screenArea.width() - size.width()) / 2,
                                         (screenArea.height() - size.height()) / 2);
}

} // namespace orvandel
