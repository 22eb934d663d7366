#include "external/endpoints.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <sys/stat.h>
#include <unistd.h>

#include <atomic>

#include "external/endpoint_client.h"
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

int removeStaleEndpoints(const QString& folder) {
    int removed = 0;
    for (const QString& name : endpointNames(folder)) {
        const QString path = endpointPath(folder, name);
        const QByteArray native = QFile::encodeName(path);
        struct stat info {};
        // Only sockets: a file of another kind under our prefix is not ours to delete.
        if (::lstat(native.constData(), &info) != 0 || !S_ISSOCK(info.st_mode)) continue;
        if (endpointGone(path) && ::unlink(native.constData()) == 0) ++removed;
    }
    return removed;
}

}  // namespace plazor::external
