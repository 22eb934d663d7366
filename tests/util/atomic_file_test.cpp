#include "util/atomic_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "support/temp_dir.h"

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

TEST(AtomicFile, DeferredFlushWritesTheSameFileAndTheFolderSyncReportsFailures) {
    TempDir dir;
    const fs::path target = dir.path() / "out.jpg";
    ASSERT_TRUE(writeFileAtomically(target, "old").ok());
    ASSERT_TRUE(writeFileAtomically(target, "bytes of a picture", Flush::kLater).ok());
    EXPECT_EQ(readFile(target), "bytes of a picture");
    EXPECT_EQ(filesIn(dir.path()), 1);
    EXPECT_EQ(syncFileSystemOf(dir.path()), "");
    EXPECT_NE(syncFileSystemOf(dir.path() / "missing"), "");
    EXPECT_NE(syncFileSystemOf(target), "");  // a file is not a folder
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

TEST(AtomicFile, MissingFolderIsAnOpenFailure) {
    TempDir dir;
    EXPECT_EQ(writeFileAtomically(dir.path() / "no" / "such.dat", "x").status,
              AtomicWriteResult::kOpenFailed);
}

}  // namespace
}  // namespace plazor
