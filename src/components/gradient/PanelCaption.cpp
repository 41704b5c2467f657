#include "components/gradient/PanelCaption.h"

namespace orvandel::inline components {

int captionX(const CaptionLayout& layout, int clientWidth, int captionWidth) {
    const bool twoBevels =
        layout.BevelInner != TBevelCut::bvNone && layout.BevelOuter != TBevelCut::bvNone;
    const int bevelShift = twoBevels ? layout.BevelWidth : 0;
    switch (layout.Alignment) {
    case TAlignment::taLeftJustify:
        return layout.BevelWidth + 2 + bevelShift;
    case TAlignment::taRightJustify:
        return clientWidth - layout.BevelWidth - 2 - captionWidth - bevelShift;
    case TAlignment::taCenter:
        return (clientWidth - captionWidth) / 2;
    }
    return 0;
}

int captionY(int clientHeight, int sampleTextHeight) {
    return (clientHeight - sampleTextHeight) / 2;
}

} // namespace orvandel::inline components
