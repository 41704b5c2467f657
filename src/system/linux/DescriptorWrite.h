#pragma once

#include <cstddef>
#include <span>

namespace orvandel::system {

// Writes all of `bytes` to `descriptor`, again after a signal or a partial write. Returns 0, or
// the error number of the write that failed; a write that takes nothing counts as a full disk.
int writeAll(int descriptor, std::span<const std::byte> bytes);

} // namespace orvandel::system
