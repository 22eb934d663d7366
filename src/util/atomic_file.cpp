#include "util/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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
int createTemporary(const std::filesystem::path& folder, const std::string& name, std::string& tempName) {
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    thread_local std::mt19937_64 random{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters - 2);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string suffix(6, ' ');
        for (char& c : suffix)
            c = kLetters[pick(random)];
        tempName = (folder / ("." + name + "." + suffix)).string();
        const int fd = ::open(tempName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

}  // namespace

AtomicWriteResult writeFileAtomically(const std::filesystem::path& target, std::string_view bytes) {
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    std::string tempName;
    FileDescriptor fd(createTemporary(folder, target.filename().string(), tempName));
    if (fd.get() < 0) return {AtomicWriteResult::kOpenFailed, std::strerror(errno)};

    auto fail = [&](int error) {
        fd.close();
        ::unlink(tempName.c_str());
        return AtomicWriteResult{AtomicWriteResult::kWriteFailed, error ? std::strerror(error) : ""};
    };

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
    if (fsync(fd.get()) != 0) return fail(errno);
    if (!fd.close()) return fail(errno);
    if (std::rename(tempName.c_str(), target.c_str()) != 0) return fail(errno);
    return {};
}

}  // namespace plazor
