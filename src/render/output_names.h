// Choosing a free name for an output file or folder: "stem" + "ext", else "stem(2)" + "ext",
// "stem(3)" + "ext", ... until the name is not taken.
#pragma once

#include <functional>
#include <string>

namespace plazor {

using NameTaken = std::function<bool(const std::string& path)>;

std::string firstFreeName(const std::string& stem, const std::string& ext, const NameTaken& taken);

// A NameTaken that asks the file system (any entry, file or folder, counts as taken).
bool pathTaken(const std::string& path);

}  // namespace plazor
