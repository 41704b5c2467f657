#include "JpegEncoder.h"

#include "common/Error.h"

namespace orvandel::imaging {
QByteArray encodeJpeg(const QImage&, int)  { throw Error(QStringLiteral("JpegEncoder: not built yet")); }
void writeJpeg(const QImage&, const QString&, int)  { throw Error(QStringLiteral("JpegEncoder: not built yet")); }
} // namespace orvandel::imaging
