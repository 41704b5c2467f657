#pragma once

#include <QRgb>

#include <cstdint>

namespace orvandel::inline components {

// A colour laid out 0x00BBGGRR, red in the lowest byte, as stored forms and settings give it.
using TColor = std::uint32_t;

constexpr TColor clBlack = 0x000000;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clWhite = 0xFFFFFF;

// The ordinals are those stored forms use.
enum class TColorScheme {
    csCustom = 0,
    csDesert = 1,
    csGrass = 2,
    csSilver = 3,
    csSky = 4,
    csRose = 5,
    csSun = 6
};
enum class TFillDirection { fdHorizontal = 0, fdVertical = 1, fdDiagonal = 2 };
enum class TAlignment { taLeftJustify = 0, taRightJustify = 1, taCenter = 2 };
enum class TBevelCut { bvNone = 0, bvLowered = 1, bvRaised = 2, bvSpace = 3 };

// The three low bytes as they are: a value with its high byte set is not a palette lookup here.
constexpr QRgb toPixel(TColor color) {
    return qRgb(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                static_cast<int>((color >> 16) & 0xFF));
}

} // namespace orvandel::inline components
