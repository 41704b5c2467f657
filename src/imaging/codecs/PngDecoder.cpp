#include "PngDecoder.h"

#include "common/Error.h"

namespace orvandel::imaging {
QImage decodePng(ByteView)  { throw Error(QStringLiteral("PngDecoder: not built yet")); }
} // namespace orvandel::imaging
