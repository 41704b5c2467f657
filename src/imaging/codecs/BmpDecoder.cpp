#include "BmpDecoder.h"

#include "common/Error.h"

namespace orvandel::imaging {
QImage decodeBmp(ByteView)  { throw Error(QStringLiteral("BmpDecoder: not built yet")); }
QImage decodeIconDib(ByteView)  { throw Error(QStringLiteral("BmpDecoder: not built yet")); }
} // namespace orvandel::imaging
