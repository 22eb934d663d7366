// Where the endpoints of running windows live and how they are named: one local socket per window in
// the user's runtime folder, each name starting with the same prefix so that a walk finds them all.
#pragma once

#include <QString>
#include <QStringList>

namespace plazor::external {

// The user's runtime folder ($XDG_RUNTIME_DIR).
QString defaultEndpointFolder();

// A name no other window of any running program uses.
QString newEndpointName();

QString endpointPath(const QString& folder, const QString& name);

// The endpoint names in `folder`, sorted.
QStringList endpointNames(const QString& folder);

// Removes the endpoints in `folder` that no process answers any more, left behind by programs that
// were killed; returns how many went.
int removeStaleEndpoints(const QString& folder);

}  // namespace plazor::external
