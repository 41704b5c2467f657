#include "IcoDecoder.h"

#include "common/Error.h"

namespace orvandel::imaging {
QImage decodeIco(ByteView)  { throw Error(QStringLiteral("IcoDecoder: not built yet")); }
} // namespace orvandel::imaging
