#include "external/window_endpoint.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>

#include <memory>

#include "external/endpoints.h"
#include "external/protocol.h"

namespace plazor::external {

WindowEndpoint::WindowEndpoint(const QString& folder, std::string windowClass, std::function<QString()> title,
                               Handler handler, QObject* parent)
    : QObject(parent),
      folder_(folder),
      name_(newEndpointName()),
      windowClass_(std::move(windowClass)),
      title_(std::move(title)),
      handler_(std::move(handler)),
      server_(new QLocalServer(this)) {
    const QString path = endpointPath(folder_, name_);
    // Only this user may connect. A socket file of the same name can only be left over from an ended
    // process that had our process number.
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    QLocalServer::removeServer(path);
    connect(server_, &QLocalServer::newConnection, this, &WindowEndpoint::acceptConnections);
    server_->listen(path);
}

WindowEndpoint::~WindowEndpoint() {
    server_->close();
}

bool WindowEndpoint::isListening() const {
    return server_->isListening();
}

void WindowEndpoint::acceptConnections() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        auto received = std::make_shared<std::string>();
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket, received] {
            const QByteArray chunk = socket->readAll();
            received->append(chunk.constData(), static_cast<std::size_t>(chunk.size()));
            Parsed<Request> parsed = parseRequest(*received);
            if (parsed.status == FrameStatus::Incomplete) return;
            // From here on the socket is ours to delete, once its reply has gone out.
            disconnect(socket, nullptr, this, nullptr);
            disconnect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            if (parsed.status == FrameStatus::Invalid) {
                socket->abort();
                socket->deleteLater();
                return;
            }
            // Answered from the event loop rather than inside the socket's own signal, because a
            // handler may run a nested event loop for as long as a run takes.
            QMetaObject::invokeMethod(
                this, [this, socket, request = std::move(parsed.value)] { answer(socket, request); },
                Qt::QueuedConnection);
        });
    }
}

void WindowEndpoint::answer(QLocalSocket* socket, const Request& request) {
    const QPointer<QLocalSocket> guard(socket);
    Reply reply;
    if (request.tag == kQueryWindowTag) {
        reply.data = encodeWindowIdentity({windowClass_, title_ ? title_().toStdString() : std::string()});
    } else if (handler_) {
        reply.code = handler_(request);
    }
    if (!guard) return;
    if (socket->state() != QLocalSocket::ConnectedState) {
        socket->deleteLater();
        return;
    }
    const std::string bytes = encodeReply(reply);
    socket->write(bytes.data(), static_cast<qint64>(bytes.size()));
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    socket->disconnectFromServer();
}

}  // namespace plazor::external
