#include "FreshWallpaperPath.h"

#include "common/Error.h"
#include "common/Messages.h"
#include "system/AtomicFileWriter.h"
#include "system/DirectoryEnumeration.h"
#include "system/NewFile.h"
#include "system/RegularFile.h"
#include "system/linux/FileNameCodec.h"
#include "system/linux/XdgBaseFolders.h"

#include <QDateTime>
#include <QDir>
#include <QFile>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace orvandel::desktop {

namespace {

const QString CopyPrefix = QStringLiteral("wallpaper-");
// A record holds one path.
constexpr std::int64_t MaxRecordSize = 64 * 1024;
constexpr qint64 CopyBlockSize = 1 << 20;

// The folder and those above it, as mkdir -p makes them.
bool makeFolders(const QString& folder) {
    const QByteArray path = system::encodeFileName(folder);
    for (qsizetype slash = path.indexOf('/', 1);; slash = path.indexOf('/', slash + 1)) {
        const QByteArray step = slash < 0 ? path : path.left(slash);
        if (::mkdir(step.constData(), 0777) != 0 && errno != EEXIST)
            return false;
        if (slash < 0)
            break;
    }
    struct stat status {};
    return ::stat(path.constData(), &status) == 0 && S_ISDIR(status.st_mode);
}

QString lastGivenPath(const QString& recordPath) {
    const system::RegularFileContent record = system::readRegularFile(recordPath, MaxRecordSize);
    return record.state == system::RegularFileState::Read ? system::decodeFileName(record.bytes)
                                                          : QString();
}

// The suffix of the file's name, when it is plain text, so that the copy is read the same way.
QString textSuffix(const QString& path) {
    const qsizetype dot = path.lastIndexOf(u'.');
    if (dot < 0 || dot < path.lastIndexOf(u'/'))
        return {};
    const QString suffix = path.mid(dot);
    return system::isTextFileName(suffix) ? suffix : QString();
}

[[noreturn]] void failToCopy(const QString& path, const QString& copy) {
    throw Error(formatMessage(QStringLiteral("Impossible de copier l'image \"%s\" vers \"%s\"."),
                              {path, copy}));
}

} // namespace

FreshWallpaperPath::FreshWallpaperPath(const QString& backEnd, DesktopNames names)
    : folder(system::xdgCacheHome() + QStringLiteral("/orvandel"))
    , recordPath(folder + QStringLiteral("/last-") + backEnd)
    , desktopNames(names) {}

QString FreshWallpaperPath::pathFor(const QString& path) {
    given = path;
    const bool desktopFindsTheName =
        desktopNames == DesktopNames::AnyBytes || system::isTextFileName(path);
    if (desktopFindsTheName && lastGivenPath(recordPath) != path)
        return given;
    given = freshCopy(path);
    return given;
}

// Written under a temporary name and named once whole, so the desktop never reads half a copy.
QString FreshWallpaperPath::freshCopy(const QString& path) const {
    if (!makeFolders(folder))
        throw Error(
            formatMessage(QStringLiteral("Impossible de créer le dossier \"%s\"."), {folder}));
    const QString stem =
        folder + u'/' + CopyPrefix + QString::number(QDateTime::currentMSecsSinceEpoch());
    const QString suffix = textSuffix(path);
    QFile source;
    if (!system::openRegularFile(source, path))
        failToCopy(path, stem + suffix);
    system::NewFile copy(stem + suffix);
    for (;;) {
        const QByteArray block = source.read(CopyBlockSize);
        if (source.error() != QFile::NoError)
            failToCopy(path, stem + suffix);
        if (block.isEmpty())
            break;
        copy.write(std::as_bytes(std::span(block.constData(), block.size())));
    }
    // Two copies made in the same millisecond differ by a number.
    QString name = stem + suffix;
    for (int taken = 1; !copy.claim(name); ++taken)
        name = stem + u'-' + QString::number(taken) + suffix;
    return name;
}

void FreshWallpaperPath::applied() {
    makeFolders(folder);
    const QByteArray record = system::encodeFileName(given);
    system::replaceFileContent(recordPath,
                               std::as_bytes(std::span(record.constData(), record.size())));
    const QString givenName = given.mid(given.lastIndexOf(u'/') + 1);
    system::enumerateDirectory(folder, [&](const system::DirectoryEntry& entry) {
        if (!entry.isFolder && entry.name.startsWith(CopyPrefix) && entry.name != givenName)
            ::unlink(system::encodeFileName(folder + u'/' + entry.name).constData());
    });
}

} // namespace orvandel::desktop
