#include "system/TrailingSeparator.h"

namespace orvandel::system {

QString withTrailingSeparator(const QString& path) {
    if (path.isEmpty() || path.endsWith(u'/'))
        return path;
    return path + u'/';
}

QString withoutTrailingSeparator(const QString& path) {
    if (path == QStringLiteral("/") || !path.endsWith(u'/'))
        return path;
    return path.chopped(1);
}

} // namespace orvandel::system
