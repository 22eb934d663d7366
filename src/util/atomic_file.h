// Writing a whole file so that a reader (or a crash) never sees it half written: the bytes go to a
// temporary file in the target's folder, which is flushed to disk and then renamed over the target.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace plazor {

struct AtomicWriteResult {
    enum Status { kOk, kOpenFailed, kWriteFailed };
    Status status = kOk;
    std::string systemError;  // the system's text for the failure, empty when there is none

    bool ok() const { return status == kOk; }
};

// Replaces (or creates) `target` with `bytes`. On any failure the previous file is left untouched and
// no temporary file is left behind. kOpenFailed: the temporary file could not be created;
// kWriteFailed: writing, flushing or renaming failed.
AtomicWriteResult writeFileAtomically(const std::filesystem::path& target, std::string_view bytes);

}  // namespace plazor
