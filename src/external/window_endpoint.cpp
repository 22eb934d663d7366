#include "external/window_endpoint.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QTimer>

#include <algorithm>

#include "external/endpoints.h"
#include "external/protocol.h"

namespace plazor::external {

WindowEndpoint::WindowEndpoint(const QString& folder, std::string windowClass, std::function<QString()> title,
                               Handler handler, QObject* parent, EndpointLimits limits)
    : QObject(parent),
      folder_(folder),
      name_(newEndpointName()),
      windowClass_(std::move(windowClass)),
      title_(std::move(title)),
      handler_(std::move(handler)),
      limits_(limits),
      server_(new QLocalServer(this)),
      relisten_(new QTimer(this)) {
    // Only this user may connect.
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, &WindowEndpoint::acceptConnections);
    // A failed accept (no descriptors left) closes the server and deletes its socket; it must come back
    // once descriptors are free again, or no companion could ever reach this window.
    connect(relisten_, &QTimer::timeout, this, [this] {
        if (!server_->isListening()) listen();
    });
    relisten_->start(limits_.relistenMs);
    listen();
}

WindowEndpoint::~WindowEndpoint() {
    server_->close();
}

bool WindowEndpoint::isListening() const {
    return server_->isListening();
}

void WindowEndpoint::listen() {
    const QString path = endpointPath(folder_, name_);
    // A socket file of the same name can only be left over from an ended process that had our process
    // number, or from this endpoint's own earlier listening.
    QLocalServer::removeServer(path);
    server_->listen(path);
}

void WindowEndpoint::acceptConnections() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        if (static_cast<int>(incomplete_.size()) >= limits_.maxIncomplete) drop(incomplete_.front().first);
        incomplete_.emplace_back(socket, std::string());
        connect(socket, &QLocalSocket::disconnected, this, [this, socket] { drop(socket); });
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { receive(socket); });
        QTimer::singleShot(limits_.frameTimeoutMs, socket, [this, socket] { drop(socket); });
        // Bytes that came with the connection raise no readyRead of their own.
        if (socket->bytesAvailable() > 0) receive(socket);
    }
}

void WindowEndpoint::receive(QLocalSocket* socket) {
    const auto entry = std::ranges::find(incomplete_, socket, &std::pair<QLocalSocket*, std::string>::first);
    if (entry == incomplete_.end()) return;
    const QByteArray chunk = socket->readAll();
    entry->second.append(chunk.constData(), static_cast<std::size_t>(chunk.size()));
    Parsed<Request> parsed = parseRequest(entry->second);
    if (parsed.status == FrameStatus::Incomplete) return;
    if (parsed.status == FrameStatus::Invalid) {
        drop(socket);
        return;
    }
    // From here on the socket is ours to delete, once its reply has gone out; its time limit is over.
    incomplete_.erase(entry);
    disconnect(socket, nullptr, this, nullptr);
    // Answered from the event loop rather than inside the socket's own signal, because a handler may
    // run a nested event loop for as long as a run takes.
    QMetaObject::invokeMethod(
        this, [this, socket, request = std::move(parsed.value)] { answer(socket, request); },
        Qt::QueuedConnection);
}

void WindowEndpoint::drop(QLocalSocket* socket) {
    const auto entry = std::ranges::find(incomplete_, socket, &std::pair<QLocalSocket*, std::string>::first);
    if (entry == incomplete_.end()) return;
    incomplete_.erase(entry);
    disconnect(socket, nullptr, this, nullptr);
    socket->abort();
    socket->deleteLater();
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
