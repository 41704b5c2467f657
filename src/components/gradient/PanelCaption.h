#pragma once

#include "components/gradient/GradientTypes.h"

namespace orvandel::inline components {

struct CaptionLayout {
    TAlignment Alignment;
    TBevelCut BevelInner;
    TBevelCut BevelOuter;
    int BevelWidth;
};

// Where the caption's left edge goes; a centred caption wider than the panel starts left of it,
// the half of the difference truncated toward zero.
int captionX(const CaptionLayout& layout, int clientWidth, int captionWidth);

// Where the caption's top goes, centred by the height of a fixed sample text so that captions with
// and without descenders sit on the same line.
int captionY(int clientHeight, int sampleTextHeight);

} // namespace orvandel::inline components
