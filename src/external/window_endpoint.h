// The receiving side: a window's endpoint. It listens on a local socket of its own in the endpoint
// folder, answers window queries with the window's class and current title, and hands every other
// request to the window's handler on the thread the endpoint lives in. The reply is sent when the
// handler returns, however long that takes; meanwhile the thread's event loop keeps answering other
// requests, as a window does while a sent message runs a nested loop.
#pragma once

#include <QObject>
#include <QString>

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "external/frame.h"

class QLocalServer;
class QLocalSocket;
class QTimer;

namespace plazor::external {

// What keeps a stranger, or a sender that died mid-frame, from taking the endpoint down.
struct EndpointLimits {
    // A connection whose request is still incomplete after this long is dropped.
    int frameTimeoutMs = 5000;
    // Connections still sending their request, at most; the oldest goes when another arrives.
    int maxIncomplete = 32;
    // How often a server that stopped listening (the process ran out of descriptors) tries again.
    int relistenMs = 1000;
};

class WindowEndpoint : public QObject {
    Q_OBJECT

  public:
    using Handler = std::function<std::int32_t(const Request&)>;

    // Starts listening at once under a new name in `folder`; `title` is asked on every query.
    WindowEndpoint(const QString& folder, std::string windowClass, std::function<QString()> title,
                   Handler handler, QObject* parent = nullptr, EndpointLimits limits = {});
    ~WindowEndpoint() override;

    bool isListening() const;
    // Connections whose request has not fully arrived yet.
    int incompleteConnections() const { return static_cast<int>(incomplete_.size()); }
    const QString& folder() const { return folder_; }
    const QString& name() const { return name_; }

  private:
    void listen();
    void acceptConnections();
    void receive(QLocalSocket* socket);
    void drop(QLocalSocket* socket);
    void answer(QLocalSocket* socket, const Request& request);

    QString folder_;
    QString name_;
    std::string windowClass_;
    std::function<QString()> title_;
    Handler handler_;
    EndpointLimits limits_;
    QLocalServer* server_;
    QTimer* relisten_;
    // Oldest first, each with the bytes received so far.
    std::vector<std::pair<QLocalSocket*, std::string>> incomplete_;
};

}  // namespace plazor::external
