#include "PictureBuffer.h"

#include "PictureLimits.h"

#include <algorithm>
#include "common/Error.h"
#include "platform/LargeMemory.h"

namespace orvandel::imaging {

namespace {

// Below this, the ordinary allocator is as quick and wastes less.
constexpr std::size_t LargePictureBytes = std::size_t{4} << 20;

struct LargeBuffer {
    void* memory;
    std::size_t bytes;
};

void releaseBuffer(void* information) {
    const auto* buffer = static_cast<LargeBuffer*>(information);
    platform::releaseLargeMemory(buffer->memory, buffer->bytes);
    delete buffer;
}

[[noreturn]] void outOfMemory(int width, int height) {
    throw Error(QStringLiteral("Mémoire insuffisante pour une image de %1 × %2 pixels.")
                    .arg(width)
                    .arg(height));
}

} // namespace

QImage newPicture(int width, int height, QImage::Format format) {
    checkPictureSize(width, height, QStringLiteral("demandée"));
    const int depthBytes = QImage::toPixelFormat(format).bitsPerPixel() / 8;
    const auto bytesPerLine = static_cast<qsizetype>((width * std::max(depthBytes, 1) + 3) & ~3);
    const auto bytes = static_cast<std::size_t>(bytesPerLine) * static_cast<std::size_t>(height);
    if (bytes < LargePictureBytes || depthBytes < 1) {
        QImage picture(width, height, format);
        if (picture.isNull())
            outOfMemory(width, height);
        return picture;
    }
    void* memory = platform::allocateLargeMemory(bytes);
    if (memory == nullptr)
        outOfMemory(width, height);
    auto* buffer = new LargeBuffer{memory, bytes};
    return QImage(static_cast<uchar*>(memory), width, height, bytesPerLine, format, releaseBuffer,
                  buffer);
}

} // namespace orvandel::imaging
