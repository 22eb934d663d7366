#include "util/atomic_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <random>
#include <string>

#include "util/file_descriptor.h"

namespace plazor {
namespace {

// Creates a new hidden file named ".<name>.XXXXXX" in `folder`. The mode 0666 lets the kernel apply
// the umask as for any plain create: reading the umask would mean setting it, which races with every
// other thread that creates a file or folder meanwhile.
FileDescriptor createTemporary(const std::filesystem::path& folder, const std::string& name,
                               std::string& tempName) {
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    thread_local std::mt19937_64 random{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters - 2);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string suffix(6, ' ');
        for (char& c : suffix)
            c = kLetters[pick(random)];
        tempName = (folder / ("." + name + "." + suffix)).string();
        FileDescriptor fd(::open(tempName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
        if (!fd) {
            if (errno == EEXIST) continue;
            return fd;
        }
        // The lock marks the file as in use until it is renamed or this process ends, so that a
        // cleanup of stale temporaries never takes it. A file system without locks gets no mark. A
        // cleanup in another process can come between the create and the lock: then it holds the
        // lock or has unlinked the file already, and this writer leaves the file to it.
        if (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) continue;
        struct stat info {};
        if (::fstat(fd.get(), &info) == 0 && info.st_nlink == 0) continue;
        return fd;
    }
    errno = EEXIST;
    return FileDescriptor();
}

// The file a save to `path` replaces: a symbolic link is followed to what it points to (even when that
// does not exist yet), so the link stays and its target gets the new bytes.
std::filesystem::path followLinks(std::filesystem::path path) {
    for (int hop = 0; hop < 40; ++hop) {
        std::error_code ec;
        if (!std::filesystem::is_symlink(std::filesystem::symlink_status(path, ec))) return path;
        const std::filesystem::path next = std::filesystem::read_symlink(path, ec);
        if (ec) return path;
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    return path;
}

// Gives the new file what the replaced one carried: its mode, and its owner and group where this
// process may set them (only the group, or nothing, otherwise).
bool keepAttributes(int fd, const struct stat& old) {
    if (fchown(fd, old.st_uid, old.st_gid) != 0 && fchown(fd, static_cast<uid_t>(-1), old.st_gid) != 0) {
        errno = 0;
    }
    return fchmod(fd, old.st_mode & 07777) == 0;
}

bool isTemporaryName(const std::string& name, std::string& replaced) {
    if (name.size() < 9 || name[0] != '.' || name[name.size() - 7] != '.') return false;
    for (std::size_t i = name.size() - 6; i < name.size(); ++i) {
        if (!std::isalnum(static_cast<unsigned char>(name[i]))) return false;
    }
    replaced = name.substr(1, name.size() - 8);
    return true;
}

}  // namespace

std::size_t removeStaleTemporaries(const std::filesystem::path& folder,
                                   const std::vector<std::string>& extensions) {
    std::size_t removed = 0;
    std::error_code ec;
    for (auto it = std::filesystem::directory_iterator(folder, ec);
         !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
        std::string replaced;
        if (!isTemporaryName(it->path().filename().string(), replaced)) continue;
        const std::string extension = std::filesystem::path(replaced).extension().string();
        if (std::find(extensions.begin(), extensions.end(), extension) == extensions.end()) continue;
        const FileDescriptor fd(::open(it->path().c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC));
        struct stat info {};
        if (!fd || ::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) continue;
        // A writer holds its temporary locked; one that no process holds was left by a killed run.
        if (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) continue;
        if (::unlink(it->path().c_str()) == 0) ++removed;
    }
    return removed;
}

Outcome<void, WriteFailure> writeFileAtomically(const std::filesystem::path& requested,
                                                std::string_view bytes, Flush flush) {
    const std::filesystem::path target = followLinks(requested);
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    std::string tempName;
    FileDescriptor fd = createTemporary(folder, target.filename().string(), tempName);
    if (fd.get() < 0) return plazor::fail(WriteFailure{WriteFailure::kOpen, std::strerror(errno)});

    auto fail = [&](int error) {
        fd.close();
        ::unlink(tempName.c_str());
        return plazor::fail(WriteFailure{WriteFailure::kWrite, error ? std::strerror(error) : ""});
    };

    struct stat old {};
    if (::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode) && !keepAttributes(fd.get(), old)) {
        return fail(errno);
    }

    const char* data = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd.get(), data, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            return fail(errno);
        }
        data += n;
        left -= static_cast<std::size_t>(n);
    }
    if (flush == Flush::kBeforeRename && fsync(fd.get()) != 0) return fail(errno);
    // The close reports late write errors before the file replaces anything; a second descriptor of
    // the same open file keeps the lock until the rename, so no cleanup takes the finished file.
    const FileDescriptor lockHolder(::fcntl(fd.get(), F_DUPFD_CLOEXEC, 0));
    if (!fd.close()) return fail(errno);
    if (std::rename(tempName.c_str(), target.c_str()) != 0) return fail(errno);
    return {};
}

Status syncFileSystemOf(const std::filesystem::path& folder) {
    FileDescriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.get() < 0 || syncfs(fd.get()) != 0) return fail(std::strerror(errno));
    return {};
}

}  // namespace plazor
