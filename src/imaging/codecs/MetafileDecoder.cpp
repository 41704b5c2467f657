#include "MetafileDecoder.h"

#include "common/Error.h"

namespace orvandel::imaging {
QImage decodeEmf(ByteView)  { throw Error(QStringLiteral("MetafileDecoder: not built yet")); }
QImage decodeWmf(ByteView)  { throw Error(QStringLiteral("MetafileDecoder: not built yet")); }
} // namespace orvandel::imaging
