#include "render/output_folder.h"

#include "util/fs.h"

namespace plazor {

std::string proposedOutputFolder(const std::string& sourceFolder,
                                 const std::function<bool(const std::string&)>& exists) {
    const std::string base = normaliseFolder(sourceFolder) + "_处理后";
    if (!exists(base)) return base;
    for (int n = 2;; ++n) {
        std::string candidate = base + "(" + std::to_string(n) + ")";
        if (!exists(candidate)) return candidate;
    }
}

}  // namespace plazor
