#include "system/LargeMemory.h"

#include <sys/mman.h>

namespace orvandel::system {

void* allocateLargeMemory(std::size_t bytes) {
    void* memory =
        ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED)
        return nullptr;
    // Quirk: transparent huge pages are often granted only on request.
    ::madvise(memory, bytes, MADV_HUGEPAGE);
    return memory;
}

void releaseLargeMemory(void* memory, std::size_t bytes) {
    ::munmap(memory, bytes);
}

} // namespace orvandel::system
