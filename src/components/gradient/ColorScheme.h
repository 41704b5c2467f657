#pragma once

#include "components/gradient/GradientTypes.h"

#include <optional>

namespace orvandel::inline components {

struct SchemeColors {
    TColor ColorFace;
    TColor ColorGrad;
    TColor ColorLight;
    TColor ColorDark;
};

// The four colours of a named scheme; csCustom has none of its own.
std::optional<SchemeColors> colorsOfScheme(TColorScheme scheme);

} // namespace orvandel::inline components
