#include "PictureLimits.h"

#include "common/Error.h"

namespace orvandel::imaging {

void checkPictureSize(std::int64_t width, std::int64_t height, const QString& format) {
    if (width <= 0 || height <= 0)
        throw Error(QStringLiteral("Image %1 invalide : dimensions %2 × %3.")
                        .arg(format)
                        .arg(width)
                        .arg(height));
    if (width > MaxPictureWidth || height > MaxPixelCount || width * height > MaxPixelCount)
        throw Error(QStringLiteral("Image %1 trop grande : %2 × %3 pixels.")
                        .arg(format)
                        .arg(width)
                        .arg(height));
}

} // namespace orvandel::imaging
