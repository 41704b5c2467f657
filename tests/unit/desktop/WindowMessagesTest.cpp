#include "desktop/WindowMessages.h"

#include "TestFolder.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLocalSocket>
#include <QTimer>

#include <gtest/gtest.h>

#include <future>

using namespace orvandel::desktop;

namespace {

void send(const QString& channel, const QByteArray& bytes) {
    QLocalSocket socket;
    socket.connectToServer(channel);
    ASSERT_TRUE(socket.waitForConnected(2000));
    socket.write(bytes);
    socket.waitForBytesWritten(2000);
    socket.disconnectFromServer();
}

void processEventsUntil(const std::function<bool()>& done) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < 3000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

} // namespace

TEST(WindowMessageServer, DeliversEachWellFormedLineAndIgnoresTheRest) {
    TestFolder folder;
    const QString channel = folder.filePath("messages");
    auto server = makeWindowMessageServer(channel);
    std::vector<std::int64_t> received;
    ASSERT_TRUE(server->listen([&](const WindowMessage& message) {
        EXPECT_EQ(message.message, 1025u);
        received.push_back(message.lParam);
    }));
    send(channel, "1025 0 516\nnonsense\n1025 0\n1025 0 515\n");
    processEventsUntil([&] { return received.size() >= 2; });
    EXPECT_EQ(received, (std::vector<std::int64_t>{516, 515}));
}

TEST(WindowMessageServer, ASecondInstanceCannotTakeALiveChannelButAStaleOneIsReused) {
    TestFolder folder;
    const QString channel = folder.filePath("messages");
    auto first = makeWindowMessageServer(channel);
    ASSERT_TRUE(first->listen([](const WindowMessage&) {}));
    auto second = makeWindowMessageServer(channel);
    EXPECT_FALSE(second->listen([](const WindowMessage&) {}));
    // A socket file left behind, as after a crash, is taken over.
    folder.write("stale", "");
    auto third = makeWindowMessageServer(folder.filePath("stale"));
    EXPECT_TRUE(third->listen([](const WindowMessage&) {}));
}

TEST(WindowMessageServer, TheChannelIsInTheUsersRuntimeFolder) {
    EXPECT_TRUE(windowMessageChannelName().endsWith("/orvandel-messages"));
}

TEST(WindowMessageServer, ASentMessageWaitsForAServerStillStartingAndFailsWhenNoneComes) {
    TestFolder folder;
    const QString channel = folder.filePath("messages");
    EXPECT_FALSE(sendWindowMessage(channel, {1025, 0, 515}, 300));

    auto server = makeWindowMessageServer(channel);
    std::vector<std::int64_t> received;
    QTimer::singleShot(200, [&] {
        server->listen([&](const WindowMessage& message) { received.push_back(message.lParam); });
    });
    // The server opens while the sender waits; the sender's blocking wait is run beside the loop.
    auto sent = std::async(std::launch::async, [&] {
        return sendWindowMessage(channel, {1025, 0, 515}, 5000);
    });
    processEventsUntil([&] { return !received.empty(); });
    EXPECT_TRUE(sent.get());
    EXPECT_EQ(received, std::vector<std::int64_t>{515});
}
