#include "FreshWallpaperPath.h"

#include "common/Error.h"
#include "platform/AtomicFileWriter.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace orvandel::platform {

namespace {

const QString CopyPrefix = QStringLiteral("wallpaper-");

QString lastGivenPath(const QString& recordPath) {
    QFile record(recordPath);
    if (!record.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(record.readAll());
}

} // namespace

FreshWallpaperPath::FreshWallpaperPath(const QString& backEnd)
    : folder(QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
             QStringLiteral("/orvandel"))
    , recordPath(folder + QStringLiteral("/last-") + backEnd) {}

QString FreshWallpaperPath::pathFor(const QString& path) {
    given = path;
    if (lastGivenPath(recordPath) != path)
        return given;
    if (!QDir().mkpath(folder))
        throw Error(QStringLiteral("Impossible de créer le dossier \"%1\".").arg(folder));
    const QString suffix = QFileInfo(path).suffix();
    given = folder + u'/' + CopyPrefix + QString::number(QDateTime::currentMSecsSinceEpoch()) +
            (suffix.isEmpty() ? QString() : u'.' + suffix);
    QFile::remove(given);
    if (!QFile::copy(path, given))
        throw Error(
            QStringLiteral("Impossible de copier l'image \"%1\" vers \"%2\".").arg(path, given));
    return given;
}

void FreshWallpaperPath::applied() {
    QDir().mkpath(folder);
    const QByteArray record = given.toUtf8();
    replaceFileContent(recordPath, std::as_bytes(std::span(record.constData(), record.size())));
    const QString givenName = QFileInfo(given).fileName();
    for (const QString& name :
         QDir(folder).entryList({CopyPrefix + u'*'}, QDir::Files | QDir::Hidden)) {
        if (name != givenName)
            QFile::remove(folder + u'/' + name);
    }
}

} // namespace orvandel::platform
