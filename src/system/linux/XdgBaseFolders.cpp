#include "XdgBaseFolders.h"

#include "FileNameCodec.h"

#include <QDir>

namespace orvandel::system {

namespace {

QString baseFolder(const char* variable, const QString& belowHome) {
    QString configured = decodeFileName(qgetenv(variable));
    while (configured.size() > 1 && configured.endsWith(u'/'))
        configured.chop(1);
    if (configured.startsWith(u'/'))
        return configured;
    const QByteArray home = qgetenv("HOME");
    return (home.isEmpty() ? QDir::homePath() : decodeFileName(home)) + u'/' + belowHome;
}

} // namespace

QString xdgConfigHome() {
    return baseFolder("XDG_CONFIG_HOME", QStringLiteral(".config"));
}

QString xdgCacheHome() {
    return baseFolder("XDG_CACHE_HOME", QStringLiteral(".cache"));
}

} // namespace orvandel::system
