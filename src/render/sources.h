// The source pictures of a run: scanning the source folder into the source list, its order, and
// cutting the list into batches, one output picture each.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "util/fs.h"

namespace plazor {

// How the source folder is read; the numbers are the stored preference values.
enum LoadMode : int {
    kPictureListMode = 0,    // the pictures directly inside the source folder; N pictures per batch
    kSubFolderListMode = 1,  // the sub-folders directly inside it; one sub-folder per batch
};

// A name ending, without regard to case, in ".jpg", ".jpeg", ".png" or ".gif".
bool isPicture(std::string_view name);

// Sorts paths ascending, comparing their code-page-936 bytes with ASCII letters folded to lower case
// and every other byte as an unsigned value. Paths that differ only in case keep plain byte order.
void sortSources(std::vector<std::string>& paths);

struct SourceScan {
    std::vector<std::string> list;  // full paths, sorted
    // Not opened when the folder does not exist. Stopped by the path-length guard, the list is empty
    // and the caller must show the message and abandon its operation.
    ListStatus listing = fail(ListFailure{});
};

// Picture list mode: the pictures in `folder`; sub-folder list mode: its sub-folders (dot-named
// ones skipped, not descended).
SourceScan scanSources(const std::string& folder, LoadMode mode);

// ceil(pictures / paste layers) in picture list mode (0 without paste layers); the number of
// sub-folders in sub-folder list mode.
std::size_t batchCount(const std::vector<std::string>& sources, LoadMode mode, std::size_t pasteLayerCount);

struct Batch {
    std::string name;                   // names the output file
    std::vector<std::string> pictures;  // picture k goes to paste layer k; fewer leave layers empty
    // Sub-folder list mode: the listing of the sub-folder; stopped by the path-length guard,
    // `pictures` is empty and the run must be abandoned. Picture list mode lists nothing and is ok.
    ListStatus listing = fail(ListFailure{});
};

// Batch `index` (0-based) of a scanned source list. Picture list mode: the next slice of the list,
// named after its first picture without the part from the last "."; sub-folder list mode: the
// pictures of that sub-folder in source-list order, at most `pasteLayerCount`, named after it.
Batch batchAt(const std::vector<std::string>& sources, LoadMode mode, std::size_t pasteLayerCount,
              std::size_t index);

}  // namespace plazor
