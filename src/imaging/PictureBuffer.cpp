#include "PictureBuffer.h"

#include "PictureLimits.h"
#include "common/Error.h"
#include "common/Messages.h"
#include "system/LargeMemory.h"

#include <algorithm>

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
    system::releaseLargeMemory(buffer->memory, buffer->bytes);
    delete buffer;
}

[[noreturn]] void outOfMemory(int width, int height, const QString& formatName) {
    throw Error(
        formatMessage(QStringLiteral("Mémoire insuffisante pour une image %s de %d × %d pixels."),
                      {formatName, width, height}));
}

} // namespace

QImage newPicture(std::int64_t pictureWidth, std::int64_t pictureHeight, QImage::Format format,
                  const QString& formatName) {
    checkPictureSize(pictureWidth, pictureHeight, formatName);
    const auto width = static_cast<int>(pictureWidth);
    const auto height = static_cast<int>(pictureHeight);
    const int depthBytes = QImage::toPixelFormat(format).bitsPerPixel() / 8;
    const auto bytesPerLine = static_cast<qsizetype>((width * std::max(depthBytes, 1) + 3) & ~3);
    const auto bytes = static_cast<std::size_t>(bytesPerLine) * static_cast<std::size_t>(height);
    if (bytes < LargePictureBytes || depthBytes < 1) {
        QImage picture(width, height, format);
        if (picture.isNull())
            outOfMemory(width, height, formatName);
        return picture;
    }
    void* memory = system::allocateLargeMemory(bytes);
    if (memory == nullptr)
        outOfMemory(width, height, formatName);
    auto* buffer = new LargeBuffer{memory, bytes};
    QImage picture(static_cast<uchar*>(memory), width, height, bytesPerLine, format, releaseBuffer,
                   buffer);
    // A picture the toolkit refuses never calls its release function.
    if (picture.isNull()) {
        releaseBuffer(buffer);
        outOfMemory(width, height, formatName);
    }
    return picture;
}

} // namespace orvandel::imaging
