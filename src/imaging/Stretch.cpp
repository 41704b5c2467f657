#include "Stretch.h"

#include "common/Error.h"
#include "common/Messages.h"

namespace orvandel::imaging {

QImage stretchPicture(const QImage& source, QSize size) {
    if (source.isNull() || size.isEmpty())
        return {};
    const QImage::Format format =
        source.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
    // The toolkit's smooth scaling averages the covered area when it shrinks and interpolates
    // bilinearly when it grows, on every core the machine has.
    QImage result = source.convertToFormat(format).scaled(size, Qt::IgnoreAspectRatio,
                                                          Qt::SmoothTransformation);
    if (result.isNull())
        throw Error(formatMessage(
            QStringLiteral("Mémoire insuffisante pour une image étirée de %d × %d pixels."),
            {size.width(), size.height()}));
    return result.convertToFormat(format);
}

} // namespace orvandel::imaging
