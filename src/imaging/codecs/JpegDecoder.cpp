#include "JpegDecoder.h"

#include "common/Error.h"

namespace orvandel::imaging {
QImage decodeJpeg(ByteView, QSize)  { throw Error(QStringLiteral("JpegDecoder: not built yet")); }
int jpegScaleNumerator(QSize, QSize)  { throw Error(QStringLiteral("JpegDecoder: not built yet")); }
} // namespace orvandel::imaging
