#include "SwayWallpaper.h"

#include "PlacementName.h"
#include "system/AtomicFileWriter.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <signal.h>

namespace orvandel::desktop {

namespace {

// The record lives as long as the session, like the swaybg it names.
QString recordPath() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    return folder + QStringLiteral("/orvandel-swaybg.pid");
}

qint64 recordedProcess() {
    QFile record(recordPath());
    if (!record.open(QIODevice::ReadOnly))
        return 0;
    return record.readAll().trimmed().toLongLong();
}

void recordProcess(qint64 processId) {
    QDir().mkpath(recordPath().section(u'/', 0, -2));
    const QByteArray text = QByteArray::number(processId);
    system::replaceFileContent(recordPath(),
                               std::as_bytes(std::span(text.constData(), text.size())));
}

// The recorded id may since have been given to another program: only a swaybg is ended.
bool isSwaybg(qint64 processId) {
    QFile name(QStringLiteral("/proc/%1/comm").arg(processId));
    return name.open(QIODevice::ReadOnly) && name.readAll().trimmed() == "swaybg";
}

} // namespace

void SwayWallpaper::apply(const QString& path, WallpaperPlacement placement) {
    const qint64 previous = recordedProcess();
    const qint64 started = commands.startLasting(QStringLiteral("swaybg"),
                                                 {QStringLiteral("-i"), path, QStringLiteral("-m"),
                                                  placementName(placement), QStringLiteral("-o"),
                                                  QStringLiteral("*")});
    recordProcess(started);
    if (previous > 0 && previous != started && isSwaybg(previous))
        ::kill(static_cast<pid_t>(previous), SIGTERM);
}

} // namespace orvandel::desktop
