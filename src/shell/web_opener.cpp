#include "shell/web_opener.h"

#include <QDesktopServices>

namespace plazor {

QUrl urlForAddress(const QString& address) {
    const QUrl url(address, QUrl::StrictMode);
    // A one-letter scheme would be a Windows drive; local paths here start with "/".
    if (url.isValid() && url.scheme().size() > 1) return url;
    return QUrl::fromLocalFile(address);
}

void openWebPage(const QString& address) {
    QDesktopServices::openUrl(urlForAddress(address));
}

}  // namespace plazor
