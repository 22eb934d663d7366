#include "util/magick_temp_folder.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>
#include <system_error>

namespace plazor {
namespace {

constexpr std::string_view kPrefix = "plazor-magick-";

// The folders of processes that no longer exist.
void removeAbandoned(const std::filesystem::path& temp) {
    std::error_code ec;
    for (auto it = std::filesystem::directory_iterator(temp, ec);
         !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.compare(0, kPrefix.size(), kPrefix) != 0) continue;
        char* end = nullptr;
        const long pid = std::strtol(name.c_str() + kPrefix.size(), &end, 10);
        if (pid <= 0 || *end != '-') continue;
        if (::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH) continue;
        std::error_code removeError;
        std::filesystem::remove_all(it->path(), removeError);
    }
}

}  // namespace

MagickTemporaryFolder::MagickTemporaryFolder() {
    std::error_code ec;
    const std::filesystem::path temp = std::filesystem::temp_directory_path(ec);
    if (ec) return;
    removeAbandoned(temp);
    std::string pattern = (temp / (std::string(kPrefix) + std::to_string(::getpid()) + "-XXXXXX")).string();
    if (!::mkdtemp(pattern.data())) return;
    path_ = pattern;
    ::setenv("MAGICK_TEMPORARY_PATH", path_.c_str(), 1);
}

MagickTemporaryFolder::~MagickTemporaryFolder() {
    if (path_.empty()) return;
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

}  // namespace plazor
