#pragma once

#include <QImage>
#include <QRect>
#include <QtGlobal>

class QPainter;

namespace orvandel::inline components {

// The part of the window's area where the incoming window shows at `progress` (0 to 1) of a
// roll, slide or growth from the centre with these window-animation flags.
QRect uncoveredPart(QSize area, quint32 flags, double progress);

// One frame of a window coming in over what lay under it: `under` and `incoming` are the
// area's size; a fade blends them, the other animations uncover or slide in the incoming window.
void drawTransitionFrame(QPainter& painter, const QImage& under, const QImage& incoming,
                         quint32 flags, double progress);

} // namespace orvandel::inline components
