#include "CommandRunner.h"

#include "common/Error.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryFile>
#include <QThread>

namespace orvandel::platform {

namespace {

// The desktops answer in well under a second; a hung command must not freeze the program.
constexpr int CommandTimeoutMilliseconds = 10000;
// A lasting command that is still running after this long has got past its start-up checks.
constexpr int StartUpMilliseconds = 500;
constexpr int StartUpPollMilliseconds = 50;

QString commandMessage(const QString& program, const QByteArray& errorOutput,
                       const QByteArray& output, const QString& silentReason) {
    QString reason = QString::fromLocal8Bit(errorOutput).trimmed();
    if (reason.isEmpty())
        reason = QString::fromLocal8Bit(output).trimmed();
    if (reason.isEmpty())
        reason = silentReason;
    return QStringLiteral("La commande « %1 » a échoué : %2").arg(program, reason);
}

[[noreturn]] void throwNotStarted(const QString& program) {
    throw Error(QStringLiteral("La commande « %1 » est introuvable ou n'a pas pu être lancée.")
                    .arg(program));
}

// A process that ended but is not yet reaped counts as ended.
bool isRunning(qint64 processId) {
    QFile status(QStringLiteral("/proc/%1/stat").arg(processId));
    if (!status.open(QIODevice::ReadOnly))
        return false;
    const QByteArray line = status.readAll();
    const qsizetype nameEnd = line.lastIndexOf(')');
    return nameEnd >= 0 && nameEnd + 2 < line.size() && line.at(nameEnd + 2) != 'Z' &&
           line.at(nameEnd + 2) != 'X';
}

} // namespace

QByteArray CommandRunner::run(const QString& program, const QStringList& arguments) const {
    QProcess process;
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(program, arguments);
    if (!process.waitForStarted(CommandTimeoutMilliseconds))
        throwNotStarted(program);
    if (!process.waitForFinished(CommandTimeoutMilliseconds)) {
        process.kill();
        process.waitForFinished();
        throw Error(QStringLiteral("La commande « %1 » n'a pas répondu dans les %2 secondes.")
                        .arg(program)
                        .arg(CommandTimeoutMilliseconds / 1000));
    }
    const QByteArray output = process.readAllStandardOutput();
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        throw Error(commandMessage(program, process.readAllStandardError(), output,
                                   QStringLiteral("code de sortie %1").arg(process.exitCode())));
    return output;
}

qint64 CommandRunner::startLasting(const QString& program, const QStringList& arguments) const {
    QTemporaryFile errorFile;
    if (!errorFile.open())
        throw Error(
            QStringLiteral("Impossible de créer un fichier temporaire pour « %1 ».").arg(program));
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(errorFile.fileName());
    qint64 processId = 0;
    if (!process.startDetached(&processId))
        throwNotStarted(program);
    for (int waited = 0; waited < StartUpMilliseconds; waited += StartUpPollMilliseconds) {
        QThread::msleep(StartUpPollMilliseconds);
        if (!isRunning(processId))
            throw Error(commandMessage(program, errorFile.readAll(), {},
                                       QStringLiteral("arrêt dès le démarrage")));
    }
    return processId;
}

} // namespace orvandel::platform
