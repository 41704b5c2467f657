#pragma once

#include <QRect>

class QScreen;

namespace orvandel::desktop {

// The part of `screen` that windows may take: the screen less the bands that panels and docks keep
// for themselves, also where no window manager works that area out and publishes it.
QRect availableArea(const QScreen& screen);

} // namespace orvandel::desktop
