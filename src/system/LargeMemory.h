#pragma once

#include <cstddef>

namespace orvandel::system {

// Memory for a large picture, from the system in large pages where it can: touching fresh memory
// page by page costs more than decoding into it. Returns nullptr when none is left.
void* allocateLargeMemory(std::size_t bytes);
void releaseLargeMemory(void* memory, std::size_t bytes);

} // namespace orvandel::system
