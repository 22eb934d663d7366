// A window endpoint against senders that misbehave: half-sent requests, floods of idle connections,
// a process out of descriptors, and the sockets killed programs leave behind.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QLocalSocket>
#include <QTest>
#include <QThread>

#include <sys/resource.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

#include "external/endpoint_client.h"
#include "external/endpoints.h"
#include "external/frame.h"
#include "external/protocol.h"
#include "external/window_endpoint.h"
#include "support/stale_socket.h"
#include "support/temp_dir.h"
#include "util/window_names.h"

namespace plazor::testing {
namespace {

using namespace external;
namespace fs = std::filesystem;

constexpr int kWaitMs = 10000;

class Endpoint : public ::testing::Test {
  protected:
    std::unique_ptr<WindowEndpoint> open(EndpointLimits limits) {
        return std::make_unique<WindowEndpoint>(
            folder(), window_names::kMainWindowClass,
            [] { return QStringLiteral("Plazor图片排版工具 - 甲"); }, [](const Request&) { return 7; },
            nullptr, limits);
    }

    QString folder() const { return QString::fromStdString(dir.str()); }

    // A window query sent from another thread while this one's event loop serves the endpoint.
    std::optional<Reply> query(const WindowEndpoint& endpoint) {
        std::optional<Reply> reply;
        const QString path = endpointPath(folder(), endpoint.name());
        std::unique_ptr<QThread> thread(QThread::create([&] {
            reply = exchange(path, {kQueryWindowTag, {}, {}}, kWaitMs);
        }));
        thread->start();
        EXPECT_TRUE(QTest::qWaitFor([&] { return thread->isFinished(); }, 2 * kWaitMs));
        thread->wait();
        return reply;
    }

    std::unique_ptr<QLocalSocket> connectTo(const WindowEndpoint& endpoint) {
        auto socket = std::make_unique<QLocalSocket>();
        socket->connectToServer(endpointPath(folder(), endpoint.name()));
        if (!socket->waitForConnected(1000)) return nullptr;
        return socket;
    }

    TempDir dir;
};

TEST_F(Endpoint, AHalfSentRequestIsDroppedAfterTheTimeLimitAndAWholeOneAnswered) {
    const auto endpoint = open({.frameTimeoutMs = 200, .maxIncomplete = 32, .relistenMs = 1000});
    const std::unique_ptr<QLocalSocket> half = connectTo(*endpoint);
    ASSERT_TRUE(half);
    const std::string request = encodeRequest({kBindTag, "plazor-window-x", {}});
    half->write(request.data(), static_cast<qint64>(request.size() / 2));
    half->flush();
    EXPECT_TRUE(QTest::qWaitFor([&] { return half->state() == QLocalSocket::UnconnectedState; }, kWaitMs));
    EXPECT_EQ(endpoint->incompleteConnections(), 0);

    const std::optional<Reply> reply = query(*endpoint);
    ASSERT_TRUE(reply);
    EXPECT_EQ(decodeWindowIdentity(reply->data)->title, "Plazor图片排版工具 - 甲");
}

TEST_F(Endpoint, AFloodOfIdleConnectionsIsCappedAndCannotKeepARequestOut) {
    const auto endpoint = open({.frameTimeoutMs = 60000, .maxIncomplete = 8, .relistenMs = 1000});
    std::vector<std::unique_ptr<QLocalSocket>> idle;
    for (int i = 0; i < 100; ++i) {
        std::unique_ptr<QLocalSocket> socket = connectTo(*endpoint);
        ASSERT_TRUE(socket) << i;
        idle.push_back(std::move(socket));
        QCoreApplication::processEvents();
    }
    QTest::qWait(100);
    EXPECT_EQ(endpoint->incompleteConnections(), 8);
    // The oldest were let go, the newest are still waiting.
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return idle.front()->state() == QLocalSocket::UnconnectedState; }, kWaitMs));
    EXPECT_EQ(idle.back()->state(), QLocalSocket::ConnectedState);
    EXPECT_TRUE(query(*endpoint));
}

TEST_F(Endpoint, ListensAgainAfterTheProcessRanOutOfDescriptors) {
    const auto endpoint = open({.frameTimeoutMs = 60000, .maxIncomplete = 1000, .relistenMs = 100});
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_NOFILE, &saved), 0);
    const auto openDescriptors =
        std::distance(fs::directory_iterator("/proc/self/fd"), fs::directory_iterator());

    rlimit tight = saved;
    tight.rlim_cur = static_cast<rlim_t>(openDescriptors + 6);
    ASSERT_EQ(setrlimit(RLIMIT_NOFILE, &tight), 0);
    // Clients take every descriptor left, so the endpoint's accept fails and Qt closes its server.
    std::vector<std::unique_ptr<QLocalSocket>> clients;
    while (std::unique_ptr<QLocalSocket> socket = connectTo(*endpoint))
        clients.push_back(std::move(socket));
    const bool lost = QTest::qWaitFor([&] { return !endpoint->isListening(); }, kWaitMs);
    clients.clear();
    ASSERT_EQ(setrlimit(RLIMIT_NOFILE, &saved), 0);
    ASSERT_TRUE(lost);

    EXPECT_TRUE(QTest::qWaitFor([&] { return endpoint->isListening(); }, kWaitMs));
    EXPECT_TRUE(query(*endpoint));
}

TEST_F(Endpoint, StaleEndpointsAreRemovedAndEverythingElseKept) {
    const auto live = open({});
    const std::string stale = dir / "plazor-window-999999-1";
    ASSERT_TRUE(makeStaleSocket(stale));
    writeFile(dir / "plazor-window-notes", "not a socket");
    ASSERT_TRUE(makeStaleSocket(dir / "other-program"));

    EXPECT_TRUE(endpointGone(QString::fromStdString(stale)));
    EXPECT_FALSE(endpointGone(endpointPath(folder(), live->name())));
    EXPECT_EQ(removeStaleEndpoints(folder()), 1);
    EXPECT_FALSE(fs::exists(fs::symlink_status(stale)));
    EXPECT_TRUE(fs::exists(endpointPath(folder(), live->name()).toStdString()));
    EXPECT_TRUE(fs::exists(dir / "plazor-window-notes"));
    EXPECT_TRUE(fs::exists(fs::symlink_status(dir / "other-program")));
    EXPECT_TRUE(endpointGone(QString::fromStdString(dir / "plazor-window-gone")));
}

}  // namespace
}  // namespace plazor::testing
