#include "BmpWriter.h"

#include "common/Error.h"

namespace orvandel::imaging {
void writeBmp24(const QImage&, const QString&)  { throw Error(QStringLiteral("BmpWriter: not built yet")); }
} // namespace orvandel::imaging
