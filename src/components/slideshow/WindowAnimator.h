#pragma once

#include <QtGlobal>

class QWidget;

namespace orvandel::inline components {

// The flags of a window animation, with the values Windows gives them.
enum AnimateWindowFlag : quint32 {
    AW_HOR_POSITIVE = 0x1,
    AW_HOR_NEGATIVE = 0x2,
    AW_VER_POSITIVE = 0x4,
    AW_VER_NEGATIVE = 0x8,
    AW_CENTER = 0x10,
    AW_HIDE = 0x10000,
    AW_ACTIVATE = 0x20000,
    AW_SLIDE = 0x40000,
    AW_BLEND = 0x80000,
};

// Hides a child window at once, or shows it over its siblings with a roll, a slide, a growth from
// the centre or a fade lasting the given milliseconds, returning when the window is shown.
class WindowAnimator {
public:
    virtual ~WindowAnimator() = default;

    virtual void AnimateWindow(QWidget& window, int milliseconds, quint32 flags) = 0;
};

} // namespace orvandel::inline components
