#include "render/output_names.h"

#include <filesystem>
#include <system_error>

namespace plazor {

std::string firstFreeName(const std::string& stem, const std::string& ext, const NameTaken& taken) {
    std::string candidate = stem + ext;
    for (int n = 2; taken(candidate); ++n)
        candidate = stem + "(" + std::to_string(n) + ")" + ext;
    return candidate;
}

bool pathTaken(const std::string& path) {
    std::error_code ec;
    return std::filesystem::exists(std::filesystem::symlink_status(path, ec));
}

}  // namespace plazor
