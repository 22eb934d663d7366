// The sending side of an exchange: connect to an endpoint, send one request, wait for its reply.
// Blocking, so it may be called from any thread, including threads without an event loop of their own.
#pragma once

#include <QString>

#include <optional>
#include <vector>

#include "external/frame.h"
#include "external/protocol.h"

namespace plazor::external {

// How long a sender waits for a window that should answer at once.
inline constexpr int kAnswerTimeoutMs = 10000;
// A start's reply comes when its run has ended, however long that takes.
inline constexpr int kNoTimeout = -1;

// The reply, or nothing when the endpoint cannot be reached, the connection ends early or the time
// runs out.
std::optional<Reply> exchange(const QString& endpointPath, const Request& request, int timeoutMs);

// True when nothing listens at the endpoint any more: its socket is missing or refuses the connection,
// as the socket of a program that was killed does. A window that is merely busy still accepts.
bool endpointGone(const QString& endpointPath);

struct FoundWindow {
    QString endpointName;
    WindowIdentity identity;
};

// Every window that answers a query in `folder`, in name order, leaving out the sender's own endpoint
// (which could not answer while its thread waits here).
std::vector<FoundWindow> listWindows(const QString& folder, const QString& ownName);

// The endpoint name of the first window of class `windowClass` whose title is exactly `title`.
std::optional<QString> findWindow(const QString& folder, const QString& ownName, std::string_view windowClass,
                                  const std::string& title);

}  // namespace plazor::external
