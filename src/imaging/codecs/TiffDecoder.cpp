#include "TiffDecoder.h"

#include "common/Error.h"

namespace orvandel::imaging {
QImage decodeTiff(ByteView)  { throw Error(QStringLiteral("TiffDecoder: not built yet")); }
} // namespace orvandel::imaging
