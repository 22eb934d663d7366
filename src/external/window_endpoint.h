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

#include "external/frame.h"

class QLocalServer;
class QLocalSocket;

namespace plazor::external {

class WindowEndpoint : public QObject {
    Q_OBJECT

  public:
    using Handler = std::function<std::int32_t(const Request&)>;

    // Starts listening at once under a new name in `folder`; `title` is asked on every query.
    WindowEndpoint(const QString& folder, std::string windowClass, std::function<QString()> title,
                   Handler handler, QObject* parent = nullptr);
    ~WindowEndpoint() override;

    bool isListening() const;
    const QString& folder() const { return folder_; }
    const QString& name() const { return name_; }

  private:
    void acceptConnections();
    void answer(QLocalSocket* socket, const Request& request);

    QString folder_;
    QString name_;
    std::string windowClass_;
    std::function<QString()> title_;
    Handler handler_;
    QLocalServer* server_;
};

}  // namespace plazor::external
