#include "external/endpoints.h"

#include <QDir>
#include <QStandardPaths>

#include <unistd.h>

#include <atomic>

#include "external/protocol.h"

namespace plazor::external {
namespace {

const QString kPrefix = QString::fromUtf8(kEndpointPrefix.data(), kEndpointPrefix.size());

}  // namespace

QString defaultEndpointFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
}

QString newEndpointName() {
    static std::atomic<int> counter{0};
    return kPrefix + QString::number(getpid()) + QLatin1Char('-') + QString::number(++counter);
}

QString endpointPath(const QString& folder, const QString& name) {
    return folder + QLatin1Char('/') + name;
}

QStringList endpointNames(const QString& folder) {
    // Sockets are neither files nor folders to QDir, so list every entry ("System" covers sockets).
    const QDir dir(folder);
    QStringList names = dir.entryList({kPrefix + QLatin1Char('*')}, QDir::System | QDir::Files, QDir::Name);
    names.removeIf([](const QString& name) { return !isEndpointName(name.toStdString()); });
    return names;
}

}  // namespace plazor::external
