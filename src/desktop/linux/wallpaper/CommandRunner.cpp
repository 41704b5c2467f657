#include "CommandRunner.h"

#include "common/Error.h"
#include "common/Messages.h"
#include "system/linux/Descriptor.h"
#include "system/linux/FileNameCodec.h"

#include <QFile>
#include <QTemporaryFile>
#include <QThread>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <memory>
#include <utility>
#include <vector>

extern char** environ;

namespace orvandel::desktop {

namespace {

using Clock = std::chrono::steady_clock;

// The desktops answer in well under a second; a hung command must not freeze the program.
constexpr int CommandTimeoutMilliseconds = 10000;
// A lasting command that is still running after this long has got past its start-up checks.
constexpr int StartUpMilliseconds = 500;
constexpr int StartUpPollMilliseconds = 50;
// How often a running command is looked at between what it prints.
constexpr int ExitPollMilliseconds = 10;

QString commandMessage(const QString& program, const QByteArray& errorOutput,
                       const QByteArray& output, const QString& silentReason) {
    QString reason = QString::fromLocal8Bit(errorOutput).trimmed();
    if (reason.isEmpty())
        reason = QString::fromLocal8Bit(output).trimmed();
    if (reason.isEmpty())
        reason = silentReason;
    return formatMessage(QStringLiteral("La commande « %s » a échoué : %s"), {program, reason});
}

[[noreturn]] void throwNotStarted(const QString& program) {
    throw Error(formatMessage(
        QStringLiteral("La commande « %s » est introuvable ou n'a pas pu être lancée."),
        {program}));
}

// The command line as the kernel takes it. Quirk: QProcess encodes each argument as UTF-8 text,
// which turns a byte of a name that is not UTF-8 into "?"; here each argument is given by the
// bytes of the name, so a path reaches the command as it is on disk.
class NativeCommandLine {
public:
    NativeCommandLine(const QString& program, const QStringList& arguments) {
        words.push_back(system::encodeFileName(program));
        for (const QString& argument : arguments)
            words.push_back(system::encodeFileName(argument));
        for (QByteArray& word : words)
            pointers.push_back(word.data());
        pointers.push_back(nullptr);
    }
    NativeCommandLine(const NativeCommandLine&) = delete;
    NativeCommandLine& operator=(const NativeCommandLine&) = delete;

    const QByteArray& program() const { return words.front(); }
    char* const* argv() const { return pointers.data(); }

private:
    std::vector<QByteArray> words;
    std::vector<char*> pointers;
};

enum class Reading { Waits, NeverWaits };

// The command's write end is an ordinary one whatever our read end does.
struct Pipe {
    explicit Pipe(Reading reading) {
        int ends[2];
        if (::pipe2(ends, O_CLOEXEC) != 0)
            throw Error(QStringLiteral("Impossible de créer un tube pour une commande."));
        readEnd = std::make_unique<system::Descriptor>(ends[0]);
        writeEnd = std::make_unique<system::Descriptor>(ends[1]);
        if (reading == Reading::NeverWaits)
            ::fcntl(ends[0], F_SETFL, ::fcntl(ends[0], F_GETFL) | O_NONBLOCK);
    }
    std::unique_ptr<system::Descriptor> readEnd;
    std::unique_ptr<system::Descriptor> writeEnd;
};

// Takes what the command has printed so far; the end is closed once the command and whatever it
// started no longer hold it.
void readAvailable(system::Descriptor& end, QByteArray& into) {
    char buffer[4096];
    while (end.get() >= 0) {
        const ssize_t got = ::read(end.get(), buffer, sizeof buffer);
        if (got > 0)
            into.append(buffer, got);
        else if (got == 0)
            end.reset();
        else if (errno != EINTR)
            return;
    }
}

void waitForOutput(const system::Descriptor& output, const system::Descriptor& errors) {
    // A closed end is -1, which poll passes over.
    pollfd ends[] = {{output.get(), POLLIN, 0}, {errors.get(), POLLIN, 0}};
    ::poll(ends, 2, ExitPollMilliseconds);
}

int exitCodeOf(int status) {
    return WIFEXITED(status) ? WEXITSTATUS(status) : WTERMSIG(status);
}

void reap(pid_t child, int& status) {
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
}

// The full path execv needs, searched in PATH as a shell would; empty when there is none. Found
// before forking, where searching would not be safe.
QByteArray executableInPath(const QByteArray& program) {
    if (program.contains('/'))
        return program;
    for (const QByteArray& folder : qgetenv("PATH").split(':')) {
        const QByteArray candidate = (folder.isEmpty() ? QByteArray(".") : folder) + '/' + program;
        struct stat status {};
        if (::stat(candidate.constData(), &status) == 0 && S_ISREG(status.st_mode) &&
            ::access(candidate.constData(), X_OK) == 0)
            return candidate;
    }
    return {};
}

// Tells the waiting parent a value from a forked child, with an async-signal-safe call alone.
template <typename Value> void report(int descriptor, const Value& value) {
    [[maybe_unused]] const ssize_t written = ::write(descriptor, &value, sizeof value);
}

// Reads a value a forked process reported; false when the pipe closed before all of it came.
template <typename Value> bool readWhole(int descriptor, Value& value) {
    ssize_t got = 0;
    do
        got = ::read(descriptor, &value, sizeof value);
    while (got < 0 && errno == EINTR);
    return got == sizeof value;
}

// Runs the command as the grandchild of this process in a session of its own, as
// QProcess::startDetached does, so that it outlives the program and is never left unreaped here.
// Returns its process id, or 0 when it could not be started.
pid_t startDetached(const QByteArray& executable, const NativeCommandLine& command,
                    int errorOutput) {
    const system::Descriptor nothing(::open("/dev/null", O_RDWR | O_CLOEXEC));
    Pipe status(Reading::Waits);
    if (nothing.get() < 0)
        return 0;
    const pid_t child = ::fork();
    if (child < 0)
        return 0;
    if (child == 0) {
        // Between fork and exec only async-signal-safe calls: another thread may hold a lock.
        ::setsid();
        const pid_t grandchild = ::fork();
        if (grandchild != 0) {
            report(status.writeEnd->get(), grandchild);
            ::_exit(grandchild < 0 ? 1 : 0);
        }
        ::dup2(nothing.get(), STDIN_FILENO);
        ::dup2(nothing.get(), STDOUT_FILENO);
        ::dup2(errorOutput, STDERR_FILENO);
        ::execve(executable.constData(), command.argv(), environ);
        report(status.writeEnd->get(), errno);
        ::_exit(127);
    }
    status.writeEnd->reset();
    int childStatus = 0;
    reap(child, childStatus);
    pid_t started = 0;
    int execError = 0;
    // The exec closes the grandchild's end: nothing more to read means the command runs.
    if (!readWhole(status.readEnd->get(), started) || started <= 0)
        return 0;
    return readWhole(status.readEnd->get(), execError) ? 0 : started;
}

} // namespace

bool isProcessRunning(qint64 processId) {
    QFile status(QStringLiteral("/proc/%1/stat").arg(processId));
    if (!status.open(QIODevice::ReadOnly))
        return false;
    const QByteArray line = status.readAll();
    const qsizetype nameEnd = line.lastIndexOf(')');
    return nameEnd >= 0 && nameEnd + 2 < line.size() && line.at(nameEnd + 2) != 'Z' &&
           line.at(nameEnd + 2) != 'X';
}

QByteArray CommandRunner::run(const QString& program, const QStringList& arguments) const {
    const NativeCommandLine command(program, arguments);
    // Our ends never wait, so that one loop follows both outputs and the command's end.
    Pipe output(Reading::NeverWaits);
    Pipe errors(Reading::NeverWaits);
    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    ::posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    ::posix_spawn_file_actions_adddup2(&actions, output.writeEnd->get(), STDOUT_FILENO);
    ::posix_spawn_file_actions_adddup2(&actions, errors.writeEnd->get(), STDERR_FILENO);
    pid_t child = 0;
    const int spawned = ::posix_spawnp(&child, command.program().constData(), &actions, nullptr,
                                       command.argv(), environ);
    ::posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        throwNotStarted(program);
    output.writeEnd->reset();
    errors.writeEnd->reset();

    QByteArray printed;
    QByteArray errorText;
    const auto deadline = Clock::now() + std::chrono::milliseconds(CommandTimeoutMilliseconds);
    int status = 0;
    // The command's end, not its outputs', ends the wait, as with QProcess: something the command
    // left running may hold the pipes open. What it printed is read once more after its end.
    for (bool ended = false;;) {
        readAvailable(*output.readEnd, printed);
        readAvailable(*errors.readEnd, errorText);
        if (ended)
            break;
        if (::waitpid(child, &status, WNOHANG) == child) {
            ended = true;
            continue;
        }
        if (Clock::now() >= deadline) {
            ::kill(child, SIGKILL);
            reap(child, status);
            throw Error(formatMessage(
                QStringLiteral("La commande « %s » n'a pas répondu dans les %d secondes."),
                {program, CommandTimeoutMilliseconds / 1000}));
        }
        waitForOutput(*output.readEnd, *errors.readEnd);
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw Error(commandMessage(
            program, errorText, printed,
            formatMessage(QStringLiteral("code de sortie %d"), {exitCodeOf(status)})));
    return printed;
}

qint64 CommandRunner::startLasting(const QString& program, const QStringList& arguments) const {
    QTemporaryFile errorFile;
    if (!errorFile.open())
        throw Error(formatMessage(
            QStringLiteral("Impossible de créer un fichier temporaire pour « %s »."), {program}));
    const NativeCommandLine command(program, arguments);
    const QByteArray executable = executableInPath(command.program());
    if (executable.isEmpty())
        throwNotStarted(program);
    const pid_t processId = startDetached(executable, command, errorFile.handle());
    if (processId <= 0)
        throwNotStarted(program);
    for (int waited = 0; waited < StartUpMilliseconds; waited += StartUpPollMilliseconds) {
        QThread::msleep(StartUpPollMilliseconds);
        if (!isProcessRunning(processId)) {
            // The command wrote through a copy of our descriptor, moving its offset.
            errorFile.seek(0);
            throw Error(commandMessage(program, errorFile.readAll(), {},
                                       QStringLiteral("arrêt dès le démarrage")));
        }
    }
    return processId;
}

} // namespace orvandel::desktop
