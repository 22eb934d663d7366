// The output folder proposed for a chosen source folder, which the editor and the companion share.
#pragma once

#include <functional>
#include <string>

namespace plazor {

// "<source>_处理后", or when an entry of that name exists, "<source>_处理后(2)", "(3)", ... the first
// that does not.
std::string proposedOutputFolder(const std::string& sourceFolder,
                                 const std::function<bool(const std::string&)>& exists);

}  // namespace plazor
