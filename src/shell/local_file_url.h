// The URL the file manager is opened with for a local folder or file.
#pragma once

#include <QString>

#include <string>

namespace plazor {

// A file URL for a local folder or file, made absolute first.
QString localFileUrl(const std::string& path);

}  // namespace plazor
