#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace orvandel::desktop {

// Runs the desktops' own commands directly, without a shell, so a path is always one argument.
// Every failure throws orvandel::Error carrying the command's own message.
class CommandRunner {
public:
    // Runs `program` to its end within a bounded wait and returns what it printed.
    QByteArray run(const QString& program, const QStringList& arguments) const;

    // Starts `program` to run on its own after this process; returns its process id once it has
    // survived its start-up, or throws with what it printed if it ended.
    qint64 startLasting(const QString& program, const QStringList& arguments) const;
};

// A process that ended but is not yet reaped counts as ended.
bool isProcessRunning(qint64 processId);

} // namespace orvandel::desktop
