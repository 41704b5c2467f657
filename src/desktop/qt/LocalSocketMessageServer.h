#pragma once

#include "desktop/WindowMessages.h"

#include <QObject>

class QLocalServer;
class QLocalSocket;

namespace orvandel::desktop {

// Window messages over a local socket: each message is one line of three decimal numbers,
// "message wParam lParam", ended by a line feed.
class LocalSocketMessageServer final : public QObject, public WindowMessageServer {
    Q_OBJECT

public:
    explicit LocalSocketMessageServer(QString channelName);
    ~LocalSocketMessageServer() override;

    bool listen(Handler handler) override;

private:
    void accept();
    void readLines(QLocalSocket* socket);

    QString name;
    QLocalServer* server;
    Handler onMessage;
};

} // namespace orvandel::desktop
