#include "util/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>

namespace plazor {

bool isRegularFile(const std::filesystem::path& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

FileDescriptor openRegularFile(const std::filesystem::path& path) {
    // O_NONBLOCK: opening a pipe for reading would otherwise wait for a writer.
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (!fd) return FileDescriptor();
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0) return FileDescriptor();
    if (!S_ISREG(info.st_mode)) {
        errno = EINVAL;
        return FileDescriptor();
    }
    return fd;
}

Outcome<std::string> readRegularFile(const std::filesystem::path& path, std::uint64_t maxBytes,
                                     const std::atomic<int>* stop) {
    const FileDescriptor fd = openRegularFile(path);
    if (!fd) return fail(errno == EINVAL ? "not a regular file" : std::strerror(errno));
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0) return fail(std::strerror(errno));
    const auto size = static_cast<std::uint64_t>(info.st_size);
    if (size > maxBytes) return fail("file larger than " + std::to_string(maxBytes) + " bytes");

    std::string bytes(size, '\0');
    constexpr std::size_t kChunk = 4u << 20;
    std::size_t done = 0;
    while (done < bytes.size()) {
        if (stop && stop->load()) return fail("stopped");
        const ssize_t n = ::read(fd.get(), bytes.data() + done, std::min(kChunk, bytes.size() - done));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return fail(std::strerror(errno));
        if (n == 0) break;  // the file shrank meanwhile: keep what is there
        done += static_cast<std::size_t>(n);
    }
    bytes.resize(done);
    return bytes;
}

}  // namespace plazor
