#include "external/endpoint_client.h"

#include <QLocalSocket>

#include "external/endpoints.h"

namespace plazor::external {
namespace {

// A query is answered by the window's event loop at once; a window that does not answer soon is hung.
constexpr int kQueryTimeoutMs = 2000;

}  // namespace

std::optional<Reply> exchange(const QString& endpointPath, const Request& request, int timeoutMs) {
    const std::string bytes = encodeRequest(request);
    if (bytes.empty()) return std::nullopt;

    QLocalSocket socket;
    socket.connectToServer(endpointPath);
    if (!socket.waitForConnected(timeoutMs)) return std::nullopt;
    socket.write(bytes.data(), static_cast<qint64>(bytes.size()));
    while (socket.bytesToWrite() > 0) {
        if (!socket.waitForBytesWritten(timeoutMs)) return std::nullopt;
    }

    std::string received;
    for (;;) {
        const QByteArray chunk = socket.readAll();
        received.append(chunk.constData(), static_cast<std::size_t>(chunk.size()));
        Parsed<Reply> parsed = parseReply(received);
        if (parsed.status == FrameStatus::Complete) return std::move(parsed.value);
        if (parsed.status == FrameStatus::Invalid) return std::nullopt;
        if (!socket.waitForReadyRead(timeoutMs)) return std::nullopt;
    }
}

bool endpointGone(const QString& endpointPath) {
    QLocalSocket socket;
    socket.connectToServer(endpointPath);
    if (socket.waitForConnected(kQueryTimeoutMs)) return false;
    const QLocalSocket::LocalSocketError error = socket.error();
    return error == QLocalSocket::ServerNotFoundError || error == QLocalSocket::ConnectionRefusedError;
}

std::vector<FoundWindow> listWindows(const QString& folder, const QString& ownName) {
    std::vector<FoundWindow> windows;
    for (const QString& name : endpointNames(folder)) {
        if (name == ownName) continue;
        // An endpoint left behind by a program that ended refuses the connection and is passed over.
        const std::optional<Reply> reply = exchange(
            endpointPath(folder, name), {kQueryWindowTag, ownName.toStdString(), {}}, kQueryTimeoutMs);
        if (!reply) continue;
        if (std::optional<WindowIdentity> identity = decodeWindowIdentity(reply->data)) {
            windows.push_back({name, std::move(*identity)});
        }
    }
    return windows;
}

std::optional<QString> findWindow(const QString& folder, const QString& ownName, std::string_view windowClass,
                                  const std::string& title) {
    for (const FoundWindow& window : listWindows(folder, ownName)) {
        if (window.identity.windowClass == windowClass && window.identity.title == title) {
            return window.endpointName;
        }
    }
    return std::nullopt;
}

}  // namespace plazor::external
