#include "platform/ExecutableLocation.h"

#include <QFile>

#include <unistd.h>

#include <climits>

namespace orvandel::platform {

QString executableFolder() {
    char buffer[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof buffer);
    if (length <= 0 || static_cast<std::size_t>(length) >= sizeof buffer)
        return QStringLiteral("./");
    const QString path = QFile::decodeName(QByteArray(buffer, static_cast<qsizetype>(length)));
    return path.left(path.lastIndexOf(u'/') + 1);
}

} // namespace orvandel::platform
