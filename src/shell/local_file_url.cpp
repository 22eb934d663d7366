#include "shell/local_file_url.h"

#include <QFileInfo>
#include <QUrl>

namespace plazor {

QString localFileUrl(const std::string& path) {
    return QUrl::fromLocalFile(QFileInfo(QString::fromStdString(path)).absoluteFilePath()).toString();
}

}  // namespace plazor
