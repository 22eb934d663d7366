#include "util/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>

#include "support/temp_dir.h"

// Every umask call of the process goes through here, so a test can see whether a writer sets it.
std::atomic<int> umaskCalls{0};
extern "C" mode_t umask(mode_t mask) noexcept {
    ++umaskCalls;
    return static_cast<mode_t>(syscall(SYS_umask, mask));
}

namespace plazor {
namespace {

namespace fs = std::filesystem;
using testing::readFile;
using testing::TempDir;
using testing::writeFile;

int filesIn(const fs::path& folder) {
    int n = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(folder))
        ++n;
    return n;
}

TEST(AtomicFile, CreatesAndReplaces) {
    TempDir dir;
    const fs::path target = dir.path() / "模版.dat";
    ASSERT_TRUE(writeFileAtomically(target, "first").ok());
    EXPECT_EQ(readFile(target), "first");
    ASSERT_TRUE(writeFileAtomically(target, "second, longer").ok());
    EXPECT_EQ(readFile(target), "second, longer");
    EXPECT_EQ(filesIn(dir.path()), 1);  // no temporary file left
}

TEST(AtomicFile, FailedWriteLeavesThePreviousFile) {
    if (geteuid() == 0) GTEST_SKIP() << "root ignores folder permissions";
    TempDir dir;
    const fs::path folder = dir.path() / "locked";
    writeFile(folder / "a.dat", "precious");
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
    const auto result = writeFileAtomically(folder / "a.dat", "replacement");
    EXPECT_EQ(result.status, AtomicWriteResult::kOpenFailed);
    EXPECT_FALSE(result.systemError.empty());
    EXPECT_EQ(readFile(folder / "a.dat"), "precious");
}

TEST(AtomicFile, RenameFailureKeepsTheOldFileAndCleansUp) {
    // The target is a non-empty folder: the temporary file is written, the rename fails.
    TempDir dir;
    writeFile(dir.path() / "target.dat" / "inside", "x");
    const auto result = writeFileAtomically(dir.path() / "target.dat", "bytes");
    EXPECT_EQ(result.status, AtomicWriteResult::kWriteFailed);
    EXPECT_TRUE(fs::is_directory(dir.path() / "target.dat"));
    EXPECT_EQ(readFile(dir.path() / "target.dat" / "inside"), "x");
    EXPECT_EQ(filesIn(dir.path()), 1);
}

TEST(AtomicFile, WritingLeavesTheUmaskAloneAndAppliesIt) {
    // Setting the umask even for an instant lets a thread that creates a file or folder meanwhile
    // give it mode 0666 or 0777; the writer must never set it.
    const mode_t previousMask = umask(027);
    TempDir dir;
    const int callsBefore = umaskCalls.load();
    ASSERT_TRUE(writeFileAtomically(dir.path() / "a.dat", "x").ok());
    EXPECT_EQ(umaskCalls.load(), callsBefore);
    umask(previousMask);
    EXPECT_EQ(fs::status(dir.path() / "a.dat").permissions(), fs::perms(0640));
}

TEST(AtomicFile, MissingFolderIsAnOpenFailure) {
    TempDir dir;
    EXPECT_EQ(writeFileAtomically(dir.path() / "no" / "such.dat", "x").status,
              AtomicWriteResult::kOpenFailed);
}

}  // namespace
}  // namespace plazor
