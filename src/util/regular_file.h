// Opening and reading files that must be plain files. A named pipe, a device or a socket named like a
// picture would block a reader forever or never end, so only regular files (symbolic links followed)
// are opened for reading, and the open itself never waits.
#pragma once

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <string>

#include "util/file_descriptor.h"
#include "util/outcome.h"

namespace plazor {

// True when `path` names a regular file, following symbolic links.
bool isRegularFile(const std::filesystem::path& path);

// The path opened read-only when it is a regular file; an empty descriptor otherwise (errno tells why:
// EINVAL for what is not a regular file).
FileDescriptor openRegularFile(const std::filesystem::path& path);

// Reads a whole regular file of at most `maxBytes`; when it is refused or cannot be read, why not, in
// English for the info lines. A set `stop` flag ends the read between chunks.
Outcome<std::string> readRegularFile(const std::filesystem::path& path, std::uint64_t maxBytes,
                                     const std::atomic<int>* stop = nullptr);

}  // namespace plazor
