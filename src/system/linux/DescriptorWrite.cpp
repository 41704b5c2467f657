#include "DescriptorWrite.h"

#include <unistd.h>

#include <cerrno>

namespace orvandel::system {

int writeAll(int descriptor, std::span<const std::byte> bytes) {
    const std::byte* data = bytes.data();
    std::size_t remaining = bytes.size();
    while (remaining > 0) {
        const ssize_t written = ::write(descriptor, data, remaining);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return written < 0 ? errno : ENOSPC;
        data += written;
        remaining -= static_cast<std::size_t>(written);
    }
    return 0;
}

} // namespace orvandel::system
