#include "PictureLimits.h"

#include "common/Error.h"
#include "common/Messages.h"

namespace orvandel::imaging {

void checkPictureSize(std::int64_t width, std::int64_t height, const QString& format) {
    if (width <= 0 || height <= 0)
        throw Error(formatMessage(QStringLiteral("Image %s invalide : dimensions %d × %d."),
                                  {format, width, height}));
    if (width > MaxPictureWidth || height > MaxPixelCount || width * height > MaxPixelCount)
        throw Error(formatMessage(QStringLiteral("Image %s trop grande : %d × %d pixels."),
                                  {format, width, height}));
}

} // namespace orvandel::imaging
