// Writing a whole file so that a reader (or a crash) never sees it half written: the bytes go to a
// temporary file in the target's folder, which is flushed to disk and then renamed over the target.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "util/outcome.h"

namespace plazor {

// Why a file could not be replaced: the temporary could not be created (kOpen), or writing, flushing
// or renaming it failed (kWrite), with the system's text for it (empty when there is none).
struct WriteFailure {
    enum Stage { kOpen, kWrite };
    Stage stage = kWrite;
    std::string systemError;
};

// When the bytes reach the disk: before the rename (a saved template), or with the next syncFileSystemOf
// (a run's outputs, which would otherwise pay one flush per picture: a third of a run of 10,000 small
// outputs). Either way no reader ever sees a half-written file.
enum class Flush { kBeforeRename, kLater };

// Replaces (or creates) `target` with `bytes`. A new file gets mode 0666 less the umask; a replaced
// file keeps its mode (and owner and group where permitted); a symbolic link stays and the file it
// points to is replaced. On any failure the previous file is left untouched and no temporary file is
// left behind.
Outcome<void, WriteFailure> writeFileAtomically(const std::filesystem::path& target, std::string_view bytes,
                                                Flush flush = Flush::kBeforeRename);

// Flushes everything written to the file system that holds `folder` (one call at the end of a run).
// Fails with the system's text.
Status syncFileSystemOf(const std::filesystem::path& folder);

// Removes the hidden temporaries (".name.XXXXXX") that writers of a killed process left in `folder`,
// for replaced names ending in one of `extensions` (".jpg"); a temporary being written is kept.
// Returns how many were removed.
std::size_t removeStaleTemporaries(const std::filesystem::path& folder,
                                   const std::vector<std::string>& extensions);

}  // namespace plazor
