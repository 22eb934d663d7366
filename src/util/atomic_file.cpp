#include "util/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

namespace plazor {
namespace {

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() { close(); }
    int get() const { return fd_; }
    // Closes now and reports whether the close succeeded (it can report a delayed write error).
    bool close() {
        if (fd_ < 0) return true;
        const int rc = ::close(fd_);
        fd_ = -1;
        return rc == 0;
    }

private:
    int fd_;
};

mode_t currentUmask() {
    const mode_t mask = umask(0);
    umask(mask);
    return mask;
}

}  // namespace

AtomicWriteResult writeFileAtomically(const std::filesystem::path& target, std::string_view bytes, Flush flush) {
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    std::string tempName = (folder / ("." + target.filename().string() + ".XXXXXX")).string();

    FileDescriptor fd(mkstemp(tempName.data()));
    if (fd.get() < 0) return {AtomicWriteResult::kOpenFailed, std::strerror(errno)};

    auto fail = [&](int error) {
        fd.close();
        ::unlink(tempName.c_str());
        return AtomicWriteResult{AtomicWriteResult::kWriteFailed, error ? std::strerror(error) : ""};
    };

    // mkstemp creates the file private to the user; give it the permissions a plain create would.
    if (fchmod(fd.get(), 0666 & ~currentUmask()) != 0) return fail(errno);

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
    if (!fd.close()) return fail(errno);
    if (std::rename(tempName.c_str(), target.c_str()) != 0) return fail(errno);
    return {};
}

std::string syncFileSystemOf(const std::filesystem::path& folder) {
    FileDescriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.get() < 0 || syncfs(fd.get()) != 0) return std::strerror(errno);
    return {};
}

}  // namespace plazor
