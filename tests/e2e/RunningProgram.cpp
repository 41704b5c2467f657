#include "RunningProgram.h"

#include "desktop/linux/X11Connection.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>

#include <xcb/xcb.h>

#include <stdexcept>

namespace {

const QString MainWindowTitle = QStringLiteral("^Orvandel    Version 2\\.11$");
const QString Photographs = QStringLiteral("/usr/share/backgrounds/mate/nature");

void requestClose(unsigned long window) {
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = static_cast<xcb_window_t>(window);
    event.type = orvandel::desktop::x11Atom(connection, "WM_PROTOCOLS");
    event.data.data32[0] = orvandel::desktop::x11Atom(connection, "WM_DELETE_WINDOW");
    event.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(connection, 0, event.window, XCB_EVENT_MASK_NO_EVENT,
                   reinterpret_cast<const char*>(&event));
    xcb_flush(connection);
    xcb_disconnect(connection);
}

} // namespace

QString run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(10000);
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

bool waitUntil(const std::function<bool()>& done, int milliseconds) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > milliseconds)
            return false;
        QThread::msleep(100);
    }
    return true;
}

RunningProgram::RunningProgram() {
    folder.makeFolder(QStringLiteral("Images/Nature"));
    const QString copy = folder.filePath(QStringLiteral("orvandel"));
    if (!QFile::copy(qEnvironmentVariable("ORVANDEL_PROGRAM"), copy))
        throw std::runtime_error("cannot copy the program");
}

RunningProgram::~RunningProgram() {
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished(5000);
    }
}

QStringList RunningProgram::addPhotographs(const QString& album, int count, int first) {
    QStringList names;
    const QStringList available =
        QDir(Photographs).entryList({QStringLiteral("*.jpg")}, QDir::Files, QDir::Name);
    for (const QString& name : available.mid(first, count)) {
        folder.makeFolder(QStringLiteral("Images/") + album);
        QFile::copy(Photographs + u'/' + name, albumFolder(album) + name);
        names.append(name);
    }
    return names;
}

void RunningProgram::writeSettings(const QByteArray& iniLines) {
    folder.write(QStringLiteral("Options.ini"), "[Options]\n" + iniLines);
}

QString RunningProgram::settingsText() const {
    return QString::fromUtf8(folder.read(QStringLiteral("Options.ini")));
}

QString RunningProgram::albumFolder(const QString& album) const {
    return folder.filePath(QStringLiteral("Images/") + album + u'/');
}

void RunningProgram::start() {
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start(folder.filePath(QStringLiteral("orvandel")), {});
    if (!process.waitForStarted(5000))
        throw std::runtime_error("the program did not start");
}

int RunningProgram::startAgainAndWait(int milliseconds) const {
    QProcess second;
    second.setProcessChannelMode(QProcess::ForwardedChannels);
    second.start(folder.filePath(QStringLiteral("orvandel")), {});
    if (!second.waitForFinished(milliseconds)) {
        second.kill();
        second.waitForFinished(5000);
        return -1;
    }
    return second.exitCode();
}

bool RunningProgram::waitForEnd(int milliseconds) {
    return process.waitForFinished(milliseconds);
}

unsigned long RunningProgram::waitForMainWindow(int milliseconds) const {
    unsigned long window = 0;
    waitUntil(
        [&] {
            const QString found = run(QStringLiteral("xdotool"),
                                      {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                       QStringLiteral("--name"), MainWindowTitle});
            window = found.section(u'\n', 0, 0).toULong();
            return window != 0;
        },
        milliseconds);
    return window;
}

QPoint RunningProgram::windowPosition(unsigned long window) const {
    const QStringList lines =
        run(QStringLiteral("xdotool"), {QStringLiteral("getwindowgeometry"),
                                        QStringLiteral("--shell"), QString::number(window)})
            .split(u'\n');
    QPoint position;
    for (const QString& line : lines) {
        if (line.startsWith(QStringLiteral("X=")))
            position.setX(line.mid(2).toInt());
        if (line.startsWith(QStringLiteral("Y=")))
            position.setY(line.mid(2).toInt());
    }
    return position;
}

// The toolkit drops a close request that comes in the very moment its window maps, long before
// any person could click: the request is made again until the program ends.
bool RunningProgram::closeAndWaitForEnd(unsigned long window, int milliseconds) {
    return waitUntil(
        [&] {
            requestClose(window);
            return process.waitForFinished(500);
        },
        milliseconds);
}

void RunningProgram::sendWindowMessage(std::uint32_t message, std::int64_t lParam) const {
    QLocalSocket socket;
    socket.connectToServer(QDir(qEnvironmentVariable("XDG_RUNTIME_DIR"))
                               .filePath(QStringLiteral("orvandel-messages")));
    if (!socket.waitForConnected(5000))
        throw std::runtime_error("the program's message socket does not answer");
    socket.write(QStringLiteral("%1 0 %2\n").arg(message).arg(lParam).toUtf8());
    socket.waitForBytesWritten(5000);
    socket.disconnectFromServer();
}
