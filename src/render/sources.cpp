#include "render/sources.h"

#include <algorithm>
#include <array>
#include <optional>

#include "util/encoding.h"
#include "util/regular_file.h"

namespace plazor {
namespace {

unsigned char foldCase(unsigned char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c + 32) : c;
}

bool endsWithNoCase(std::string_view text, std::string_view suffix) {
    if (text.size() < suffix.size()) return false;
    const std::string_view tail = text.substr(text.size() - suffix.size());
    return std::equal(tail.begin(), tail.end(), suffix.begin(), [](char a, char b) {
        return foldCase(static_cast<unsigned char>(a)) == foldCase(static_cast<unsigned char>(b));
    });
}

// Three-way comparison of two byte strings with ASCII letters folded to lower case.
int compareFolded(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned char x = foldCase(static_cast<unsigned char>(a[i]));
        const unsigned char y = foldCase(static_cast<unsigned char>(b[i]));
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

// The file name without the part from its last ".".
std::string pictureBatchName(const std::string& path) {
    std::string name = baseName(path);
    const auto dot = name.find_last_of('.');
    if (dot != std::string::npos) name.erase(dot);
    return name;
}

// Only regular files are pictures: a pipe or device named like one would block the run that opens it.
void keepPictures(std::vector<std::string>& paths) {
    std::erase_if(paths, [](const std::string& p) { return !isPicture(p) || !isRegularFile(p); });
}

}  // namespace

bool isPicture(std::string_view name) {
    constexpr std::array<std::string_view, 4> kExtensions = {".jpg", ".jpeg", ".png", ".gif"};
    return std::any_of(kExtensions.begin(), kExtensions.end(),
                       [name](std::string_view ext) { return endsWithNoCase(name, ext); });
}

void sortSources(std::vector<std::string>& paths) {
    // The order is that of the paths' code-page-936 bytes, so each key is converted once up front.
    // Most paths are ASCII, where the key is the path itself: only differing keys are kept, which
    // keeps a listing of 100,000 pictures from holding every path twice.
    struct Keyed {
        std::string key;  // empty when the path's bytes are its key
        std::string path;
        const std::string& bytes() const { return key.empty() ? path : key; }
    };
    std::vector<Keyed> keyed;
    keyed.reserve(paths.size());
    for (std::string& p : paths) {
        std::optional<std::string> key = utf8ToGbk(p);
        keyed.push_back({key && *key != p ? std::move(*key) : std::string(), std::move(p)});
    }
    std::sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) {
        const int folded = compareFolded(a.bytes(), b.bytes());
        return folded != 0 ? folded < 0 : a.bytes() < b.bytes();
    });
    for (std::size_t i = 0; i < paths.size(); ++i)
        paths[i] = std::move(keyed[i].path);
}

SourceScan scanSources(const std::string& folder, LoadMode mode) {
    SourceScan scan;
    if (!isFolder(folder)) return scan;
    if (mode == kSubFolderListMode) {
        scan.listing = listSubFolders(folder, false, scan.list);
    } else {
        scan.listing = listFiles(folder, scan.list);
        keepPictures(scan.list);
    }
    if (pathGuardOf(scan.listing)) {
        scan.list.clear();
        return scan;
    }
    sortSources(scan.list);
    return scan;
}

std::size_t batchCount(const std::vector<std::string>& sources, LoadMode mode, std::size_t pasteLayerCount) {
    if (mode == kSubFolderListMode) return sources.size();
    if (pasteLayerCount == 0) return 0;
    return (sources.size() + pasteLayerCount - 1) / pasteLayerCount;
}

Batch batchAt(const std::vector<std::string>& sources, LoadMode mode, std::size_t pasteLayerCount,
              std::size_t index) {
    Batch batch;
    if (mode == kSubFolderListMode) {
        if (index >= sources.size()) return batch;
        const std::string& folder = sources[index];
        batch.name = baseName(folder);
        batch.listing = listFiles(folder, batch.pictures);
        if (pathGuardOf(batch.listing)) {
            batch.pictures.clear();
            return batch;
        }
        keepPictures(batch.pictures);
        // Listed in name order, as the source list is, whatever order the file system keeps them in.
        sortSources(batch.pictures);
        if (batch.pictures.size() > pasteLayerCount) batch.pictures.resize(pasteLayerCount);
        return batch;
    }
    batch.listing = {};
    if (pasteLayerCount == 0 || index >= batchCount(sources, mode, pasteLayerCount)) return batch;
    const std::size_t first = index * pasteLayerCount;
    const std::size_t end = std::min(first + pasteLayerCount, sources.size());
    batch.pictures.assign(sources.begin() + static_cast<std::ptrdiff_t>(first),
                          sources.begin() + static_cast<std::ptrdiff_t>(end));
    batch.name = pictureBatchName(batch.pictures.front());
    return batch;
}

}  // namespace plazor
