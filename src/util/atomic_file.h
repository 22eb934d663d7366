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

// When the bytes reach the disk: before the rename (a saved template), or with the next syncFileSystemOf
// (a run's outputs, which would otherwise pay one flush per picture: a third of a run of 10,000 small
// outputs). Either way no reader ever sees a half-written file.
enum class Flush { kBeforeRename, kLater };

// Replaces (or creates) `target` with `bytes`. On any failure the previous file is left untouched and
// no temporary file is left behind. kOpenFailed: the temporary file could not be created;
// kWriteFailed: writing, flushing or renaming failed.
AtomicWriteResult writeFileAtomically(const std::filesystem::path& target, std::string_view bytes,
                                      Flush flush = Flush::kBeforeRename);

// Flushes everything written to the file system that holds `folder` (one call at the end of a run).
// Returns the system's text for a failure, empty on success.
std::string syncFileSystemOf(const std::filesystem::path& folder);

}  // namespace plazor
