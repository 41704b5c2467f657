#include "PcmanfmQtDesktopRestart.h"

#include "PcmanfmQtProfiles.h"
#include "PcmanfmQtWindows.h"
#include "common/Error.h"
#include "common/Messages.h"

#include <QFile>
#include <QThread>

namespace orvandel::desktop {

namespace {

const QString PcmanfmQt = QStringLiteral("pcmanfm-qt");
// The desktop saves its settings and closes its windows in well under a second.
constexpr int QuitMilliseconds = 5000;
constexpr int QuitPollMilliseconds = 50;

// The profile a pcmanfm-qt process was started with, from its command line.
QString profileOf(qint64 processId) {
    QFile commandLine(QStringLiteral("/proc/%1/cmdline").arg(processId));
    if (!commandLine.open(QIODevice::ReadOnly))
        return {};
    const QList<QByteArray> arguments = commandLine.readAll().split('\0');
    QByteArray profile = "default";
    for (qsizetype index = 1; index < arguments.size(); ++index) {
        const QByteArray& argument = arguments[index];
        if (argument.startsWith("--profile="))
            profile = argument.mid(10);
        else if ((argument == "--profile" || argument == "-p") && index + 1 < arguments.size())
            profile = arguments[++index];
        else if (argument.startsWith("-p") && !argument.startsWith("--"))
            profile = argument.mid(2);
    }
    return QString::fromLocal8Bit(profile);
}

void waitForEnd(qint64 processId) {
    for (int waited = 0; isProcessRunning(processId); waited += QuitPollMilliseconds) {
        if (waited >= QuitMilliseconds)
            throw Error(formatMessage(
                QStringLiteral("Le bureau de pcmanfm-qt ne s'est pas arrêté dans les %d secondes ; "
                               "le fond d'écran reviendra à son ancienne disposition à son "
                               "prochain démarrage."),
                {QuitMilliseconds / 1000}));
        QThread::msleep(QuitPollMilliseconds);
    }
}

} // namespace

void restartPcmanfmQtDesktop(const CommandRunner& commands, const QString& profile,
                             const QString& mode) {
    // The desktop and the file manager's windows are one process, which a restart would close
    // with them: while one is open, the profile alone keeps the mode, and a later change (the
    // next rotation, the program's next start) restarts the desktop once they are closed.
    // Elsewhere than on X11 the windows cannot be told apart, so the desktop is left alone.
    const std::optional<PcmanfmQtWindows> windows = pcmanfmQtWindows();
    if (!windows || windows->otherWindowsOpen)
        return;
    for (const qint64 desktop : windows->desktopProcesses) {
        if (profileOf(desktop) != profile)
            continue;
        const QString profileOption = QStringLiteral("--profile=") + profile;
        commands.run(PcmanfmQt, {profileOption, QStringLiteral("--quit")});
        waitForEnd(desktop);
        // Its end saved the mode it held.
        setWallpaperModeInPcmanfmQtProfile(profile, mode);
        commands.startLasting(PcmanfmQt, {profileOption, QStringLiteral("--desktop")});
        return;
    }
}

} // namespace orvandel::desktop
