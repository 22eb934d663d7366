// Writing a whole file so that a reader (or a crash) never sees it half written: the bytes go to a
// temporary file in the target's folder, which is flushed to disk and then renamed over the target.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace plazor {

struct AtomicWriteResult {
    enum Status { kOk, kOpenFailed, kWriteFailed };
    Status status = kOk;
    std::string systemError;  // the system's text for the failure, empty when there is none

    bool ok() const { return status == kOk; }
};

// Replaces (or creates) `target` with `bytes`. A new file gets mode 0666 less the umask; a replaced
// file keeps its mode (and owner and group where permitted); a symbolic link stays and the file it
// points to is replaced. On any failure the previous file is left untouched and no temporary file is
// left behind. kOpenFailed: the temporary file could not be created; kWriteFailed: writing, flushing
// or renaming failed.
AtomicWriteResult writeFileAtomically(const std::filesystem::path& target, std::string_view bytes);

// Removes the hidden temporaries (".name.XXXXXX") that writers of a killed process left in `folder`,
// for replaced names ending in one of `extensions` (".jpg"); a temporary being written is kept.
// Returns how many were removed.
std::size_t removeStaleTemporaries(const std::filesystem::path& folder,
                                   const std::vector<std::string>& extensions);

}  // namespace plazor
