#include "components/gradient/ColorScheme.h"

namespace orvandel::inline components {

std::optional<SchemeColors> colorsOfScheme(TColorScheme scheme) {
    switch (scheme) {
    case TColorScheme::csCustom:
        return std::nullopt;
    case TColorScheme::csDesert:
        return SchemeColors{0xFFFFFF, 0xA4E1FF, 0x008FD5, 0x00699B};
    case TColorScheme::csGrass:
        return SchemeColors{0xFFFFFF, 0xB0F2CB, 0x3EB56A, 0x156F37};
    case TColorScheme::csSilver:
        return SchemeColors{0xFFFFFF, 0xDAE0DE, 0x7D7D7D, 0x626262};
    case TColorScheme::csSky:
        return SchemeColors{0xFFFFFF, 0xFFE0C1, 0xF0964D, 0xB35900};
    case TColorScheme::csRose:
        return SchemeColors{0xFFFFFF, 0xCCCCFF, 0x0651CC, 0x00009D};
    case TColorScheme::csSun:
        return SchemeColors{0xFFFFFF, 0xBFFFFF, 0x009595, 0x006464};
    }
    return std::nullopt;
}

} // namespace orvandel::inline components
