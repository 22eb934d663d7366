// File and folder helpers shared by every part of the program.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "util/outcome.h"

namespace plazor {

// Longest path, in code-page-936 bytes, that the program accepts from a folder listing.
inline constexpr std::size_t kMaxPathBytes = 259;

// Why a listing failed. `NotOpened`: the folder could not be opened and nothing was appended.
// `PathTooLong`: a child path was longer than kMaxPathBytes and the listing stopped there; the caller
// must show `message` (caption "提示", error icon), offer to reveal `path`, and abandon its operation.
enum class ListFailureKind { NotOpened, PathTooLong };

struct ListFailure {
    ListFailureKind kind = ListFailureKind::NotOpened;
    std::string message;  // the guard message (PathTooLong only)
    std::string path;     // the offending child path (PathTooLong only)
};

using ListStatus = Outcome<void, ListFailure>;

// The path-length guard's failure of a listing, or null when the listing did not stop at it.
const ListFailure* pathGuardOf(const ListStatus& listing);

// Folder paths are UTF-8; trailing separators are removed (the root keeps its one "/").
std::string normaliseFolder(const std::string& folder);

// Appends every sub-folder whose name does not begin with "."; with `recursive`, each found folder is
// followed by its own sub-folders (depth-first, pre-order, in the file system's order).
ListStatus listSubFolders(const std::string& folder, bool recursive, std::vector<std::string>& out);

// Appends the full path of every entry that is not a folder (dot-named files included).
ListStatus listFiles(const std::string& folder, std::vector<std::string>& out);

// Appends the bare names of the entries that are not folders; no length check.
bool listFileNames(const std::string& folder, std::vector<std::string>& out);

bool fileExists(const std::string& path);  // can be opened for reading
bool isFolder(const std::string& path);
std::int32_t fileSize(const std::string& path);  // -1 when it cannot be opened
std::string baseName(const std::string& path);   // the part after the last "/"

// Builds "folder/name", or "/name" at the root.
std::string joinPath(const std::string& folder, const std::string& name);

// The two path-length guard messages, filled with the limit, the path's length and the path.
std::string folderPathTooLongMessage(const std::string& path);
std::string filePathTooLongMessage(const std::string& path);

}  // namespace plazor
