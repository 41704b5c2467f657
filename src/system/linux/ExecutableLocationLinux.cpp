#include "FileNameCodec.h"
#include "system/ExecutableLocation.h"

#include <unistd.h>

#include <climits>

namespace orvandel::system {

QString executableFolder() {
    const QString path = executablePath();
    if (path.isEmpty())
        return QStringLiteral("./");
    return path.left(path.lastIndexOf(u'/') + 1);
}

QString executablePath() {
    char buffer[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof buffer);
    if (length <= 0 || static_cast<std::size_t>(length) >= sizeof buffer)
        return {};
    return decodeFileName(QByteArrayView(buffer, static_cast<qsizetype>(length)));
}

QString currentFolder() {
    char buffer[PATH_MAX];
    return ::getcwd(buffer, sizeof buffer) != nullptr ? decodeFileName(buffer) : QString();
}

} // namespace orvandel::system
