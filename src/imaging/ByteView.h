#pragma once

#include <cstdint>
#include <span>

namespace orvandel::imaging {

// Decoders read pictures from memory, so tests and fuzzers need no files.
using ByteView = std::span<const std::uint8_t>;

} // namespace orvandel::imaging
