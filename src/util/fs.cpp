#include "util/fs.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <limits>
#include <memory>
#include <optional>
#include <system_error>
#include <utility>

#include "util/encoding.h"
#include "util/regular_file.h"

namespace plazor {
namespace fs = std::filesystem;

namespace {

std::string tooLongMessage(const char* what, const std::string& path) {
    const std::string limit = std::to_string(kMaxPathBytes);
    return std::string("软件因下列原因意外退出：\n") + what + "路径长度大于 " + limit + " 个字符！\n\n当前" +
           what + "路径长度：" + std::to_string(gbkByteLength(path)) + " 个字符\n" + path +
           "\n\n解决方案：修改" + what + "路径长度，使其长度不超过 " + limit +
           " 个字符。\n\n提示：一个英文字母占 1 个字符，一个汉字占 2 个字符。";
}

bool tooLong(const std::string& path) {
    return gbkByteLength(path) > kMaxPathBytes;
}

// Calls `visit(name, isDirectory)` for every entry of `folder` in the file system's order.
// Returns false when the folder cannot be opened; `visit` returns false to stop early.
// An empty folder text names no folder: children built from it would read "/name".
template <typename Visit>
bool forEachEntry(const std::string& folder, Visit visit) {
    if (folder.empty()) return false;
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    if (ec) return false;
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        if (ec) break;
        std::error_code statError;
        const bool directory = it->is_directory(statError);
        if (!visit(it->path().filename().string(), directory)) break;
    }
    return true;
}

ListFailure pathTooLong(std::string message, std::string path) {
    return {ListFailureKind::PathTooLong, std::move(message), std::move(path)};
}

// Appends the sub-folders of `folder`; `guard` is set when a child path is too long.
bool listSubFoldersInto(const std::string& folder, bool recursive, std::vector<std::string>& out,
                        std::optional<ListFailure>& guard) {
    return forEachEntry(folder, [&](const std::string& name, bool directory) {
        if (!directory || name.empty() || name[0] == '.') return true;
        std::string child = joinPath(folder, name);
        if (tooLong(child)) {
            guard = pathTooLong(folderPathTooLongMessage(child), child);
            return false;
        }
        out.push_back(child);
        if (recursive) listSubFoldersInto(child, true, out, guard);
        return !guard;
    });
}

ListStatus listed(bool opened, std::optional<ListFailure> guard) {
    if (!opened) return fail(ListFailure{});
    if (guard) return fail(std::move(*guard));
    return {};
}

}  // namespace

std::string normaliseFolder(const std::string& folder) {
    std::string f = folder;
    while (f.size() > 1 && f.back() == '/')
        f.pop_back();
    return f;
}

std::string joinPath(const std::string& folder, const std::string& name) {
    if (!folder.empty() && folder.back() == '/') return folder + name;
    return folder + "/" + name;
}

ListStatus listSubFolders(const std::string& folder, bool recursive, std::vector<std::string>& out) {
    std::optional<ListFailure> guard;
    const bool opened = listSubFoldersInto(normaliseFolder(folder), recursive, out, guard);
    return listed(opened, std::move(guard));
}

ListStatus listFiles(const std::string& folder, std::vector<std::string>& out) {
    std::optional<ListFailure> guard;
    const std::string base = normaliseFolder(folder);
    const bool opened = forEachEntry(base, [&](const std::string& name, bool directory) {
        if (directory) return true;
        std::string child = joinPath(base, name);
        if (tooLong(child)) {
            guard = pathTooLong(filePathTooLongMessage(child), child);
            return false;
        }
        out.push_back(std::move(child));
        return true;
    });
    return listed(opened, std::move(guard));
}

const ListFailure* pathGuardOf(const ListStatus& listing) {
    if (listing.ok() || listing.error().kind != ListFailureKind::PathTooLong) return nullptr;
    return &listing.error();
}

bool listFileNames(const std::string& folder, std::vector<std::string>& out) {
    return forEachEntry(normaliseFolder(folder), [&](const std::string& name, bool directory) {
        if (!directory) out.push_back(name);
        return true;
    });
}

bool fileExists(const std::string& path) {
    std::error_code ec;
    if (fs::is_directory(path, ec)) return false;
    // Opened without waiting: a named pipe would block a plain open until something writes to it.
    return FileDescriptor(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY)).get() >= 0;
}

bool isFolder(const std::string& path) {
    std::error_code ec;
    return fs::is_directory(path, ec);
}

std::int32_t fileSize(const std::string& path) {
    // Only a regular file has a size; anything else (a folder, a pipe) cannot be used.
    const FileDescriptor fd = openRegularFile(path);
    struct stat info {};
    if (!fd || ::fstat(fd.get(), &info) != 0) return -1;
    // Larger files are reported as the largest size rather than wrapped to a negative or zero size.
    return static_cast<std::int32_t>(
        std::min<std::int64_t>(info.st_size, std::numeric_limits<std::int32_t>::max()));
}

std::string baseName(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string folderPathTooLongMessage(const std::string& path) {
    return tooLongMessage("文件夹", path);
}

std::string filePathTooLongMessage(const std::string& path) {
    return tooLongMessage("文件", path);
}

}  // namespace plazor
