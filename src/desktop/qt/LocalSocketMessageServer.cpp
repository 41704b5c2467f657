#include "LocalSocketMessageServer.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>

#include <optional>

namespace orvandel::desktop {

namespace {

// A line longer than this is no message; the connection is dropped rather than buffered.
constexpr qint64 LongestLine = 64;

std::optional<WindowMessage> parseLine(const QByteArray& line) {
    const QList<QByteArray> fields = line.simplified().split(' ');
    if (fields.size() != 3)
        return std::nullopt;
    bool messageOk = false;
    bool wParamOk = false;
    bool lParamOk = false;
    const WindowMessage parsed{fields[0].toUInt(&messageOk), fields[1].toLongLong(&wParamOk),
                               fields[2].toLongLong(&lParamOk)};
    if (!messageOk || !wParamOk || !lParamOk)
        return std::nullopt;
    return parsed;
}

// A live server answers a connection; a socket file left by a program that crashed does not.
bool anotherInstanceListens(const QString& name) {
    QLocalSocket probe;
    probe.connectToServer(name);
    return probe.waitForConnected(200);
}

} // namespace

LocalSocketMessageServer::LocalSocketMessageServer(QString channelName)
    : name(std::move(channelName))
    , server(new QLocalServer(this)) {
    server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server, &QLocalServer::newConnection, this, &LocalSocketMessageServer::accept);
}

LocalSocketMessageServer::~LocalSocketMessageServer() = default;

bool LocalSocketMessageServer::listen(Handler handler) {
    onMessage = std::move(handler);
    // Quirk: with access options set, the toolkit puts its socket in place by a rename, which
    // would silently take the channel of a running instance; so look for one first.
    if (anotherInstanceListens(name))
        return false;
    QLocalServer::removeServer(name);
    return server->listen(name);
}

void LocalSocketMessageServer::accept() {
    while (QLocalSocket* socket = server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readLines(socket); });
        readLines(socket);
    }
}

void LocalSocketMessageServer::readLines(QLocalSocket* socket) {
    while (socket->canReadLine()) {
        const QByteArray line = socket->readLine(LongestLine + 1);
        if (!line.endsWith('\n')) {
            socket->abort();
            return;
        }
        if (const std::optional<WindowMessage> message = parseLine(line); message && onMessage)
            onMessage(*message);
    }
    if (socket->bytesAvailable() > LongestLine)
        socket->abort();
}

bool sendWindowMessage(const QString& channelName, const WindowMessage& message, int milliseconds) {
    const QByteArray line = QByteArray::number(message.message) + ' ' +
                            QByteArray::number(message.wParam) + ' ' +
                            QByteArray::number(message.lParam) + '\n';
    QDeadlineTimer deadline(milliseconds);
    QLocalSocket socket;
    for (;;) {
        socket.connectToServer(channelName);
        if (socket.waitForConnected(static_cast<int>(deadline.remainingTime())))
            break;
        if (deadline.hasExpired())
            return false;
        QThread::msleep(50);
    }
    socket.write(line);
    const bool sent = socket.waitForBytesWritten(static_cast<int>(deadline.remainingTime()));
    socket.disconnectFromServer();
    return sent;
}

QString windowMessageChannelName() {
    // The runtime folder is the user's own (XDG_RUNTIME_DIR, mode 0700), so the name is per user.
    return QDir(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation))
        .filePath(QStringLiteral("orvandel-messages"));
}

std::unique_ptr<WindowMessageServer> makeWindowMessageServer(const QString& channelName) {
    return std::make_unique<LocalSocketMessageServer>(channelName);
}

std::unique_ptr<WindowMessageServer> makeWindowMessageServer() {
    return makeWindowMessageServer(windowMessageChannelName());
}

} // namespace orvandel::desktop
