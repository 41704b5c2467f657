#pragma once

#include <QString>

#include <cstdint>

namespace orvandel::imaging {

// The most pixels a decoder accepts; a header that claims more is refused before any allocation.
inline constexpr std::int64_t MaxPixelCount = std::int64_t{1} << 28;

// The widest row the toolkit can hold: it counts a row's bits, at up to 32 a pixel, in an int.
inline constexpr std::int64_t MaxPictureWidth = (std::int64_t{INT32_MAX} - 31) / 32;

// Throws orvandel::Error naming `format` when the size is empty, negative, wider than
// MaxPictureWidth or above MaxPixelCount.
void checkPictureSize(std::int64_t width, std::int64_t height, const QString& format);

} // namespace orvandel::imaging
