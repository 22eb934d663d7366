// Shows a page of the product web site in the user's browser, or a folder in the file manager.
#pragma once

#include <QString>
#include <QUrl>

namespace plazor {

// An address with a scheme ("https://...", "file:...") as it is; anything else is a local path.
QUrl urlForAddress(const QString& address);

// Best effort: a failure is not reported.
void openWebPage(const QString& address);

}  // namespace plazor
