#include "util/atomic_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <string>
#include <thread>

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

TEST(AtomicFile, DeferredFlushWritesTheSameFileAndTheFolderSyncReportsFailures) {
    TempDir dir;
    const fs::path target = dir.path() / "out.jpg";
    ASSERT_TRUE(writeFileAtomically(target, "old").ok());
    ASSERT_TRUE(writeFileAtomically(target, "bytes of a picture", Flush::kLater).ok());
    EXPECT_EQ(readFile(target), "bytes of a picture");
    EXPECT_EQ(filesIn(dir.path()), 1);
    EXPECT_TRUE(syncFileSystemOf(dir.path()).ok());
    EXPECT_FALSE(syncFileSystemOf(dir.path() / "missing").ok());
    EXPECT_FALSE(syncFileSystemOf(target).ok());  // a file is not a folder
}

TEST(AtomicFile, FailedWriteLeavesThePreviousFile) {
    if (geteuid() == 0) GTEST_SKIP() << "root ignores folder permissions";
    TempDir dir;
    const fs::path folder = dir.path() / "locked";
    writeFile(folder / "a.dat", "precious");
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
    const auto result = writeFileAtomically(folder / "a.dat", "replacement");
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error().stage, WriteFailure::kOpen);
    EXPECT_FALSE(result.error().systemError.empty());
    EXPECT_EQ(readFile(folder / "a.dat"), "precious");
}

TEST(AtomicFile, RenameFailureKeepsTheOldFileAndCleansUp) {
    // The target is a non-empty folder: the temporary file is written, the rename fails.
    TempDir dir;
    writeFile(dir.path() / "target.dat" / "inside", "x");
    const auto result = writeFileAtomically(dir.path() / "target.dat", "bytes");
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error().stage, WriteFailure::kWrite);
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

TEST(AtomicFile, ReplacingKeepsTheModeAndGroupAndWritesThroughLinks) {
    const mode_t previousMask = umask(022);
    TempDir dir;
    const fs::path shared = dir.path() / "shared.dat";
    writeFile(shared, "old");
    fs::permissions(shared, fs::perms(0664));
    const bool root = geteuid() == 0;
    if (root) {
        ASSERT_EQ(chown(shared.c_str(), 4321, 4322), 0);
    }
    ASSERT_TRUE(writeFileAtomically(shared, "new").ok());
    umask(previousMask);
    EXPECT_EQ(readFile(shared), "new");
    EXPECT_EQ(fs::status(shared).permissions(), fs::perms(0664));
    struct stat info {};
    ASSERT_EQ(stat(shared.c_str(), &info), 0);
    EXPECT_EQ(info.st_gid, root ? 4322u : getegid());

    // A relative link, a link to a link, and a link whose file does not exist yet.
    writeFile(dir.path() / "real" / "t.dat", "old");
    fs::create_symlink("real/t.dat", dir.path() / "link.dat");
    fs::create_symlink(dir.path() / "link.dat", dir.path() / "link2.dat");
    fs::create_symlink("real/later.dat", dir.path() / "dangling.dat");
    ASSERT_TRUE(writeFileAtomically(dir.path() / "link2.dat", "through").ok());
    ASSERT_TRUE(writeFileAtomically(dir.path() / "dangling.dat", "created").ok());
    EXPECT_TRUE(fs::is_symlink(dir.path() / "link.dat"));
    EXPECT_TRUE(fs::is_symlink(dir.path() / "link2.dat"));
    EXPECT_TRUE(fs::is_symlink(dir.path() / "dangling.dat"));
    EXPECT_EQ(readFile(dir.path() / "real" / "t.dat"), "through");
    EXPECT_EQ(readFile(dir.path() / "real" / "later.dat"), "created");
    EXPECT_EQ(filesIn(dir.path() / "real"), 2);
}

TEST(AtomicFile, OnlyUnheldTemporariesOfOutputsAreStale) {
    TempDir dir;
    writeFile(dir.path() / ".photo.jpg.Ab12Cd", "killed run");
    writeFile(dir.path() / ".page.html.zzzzzz", "killed run");
    writeFile(dir.path() / ".notes.backup", "the user's");            // no output name inside
    writeFile(dir.path() / ".photo.jpg.Ab12", "the user's");          // not six letters
    writeFile(dir.path() / ".template.dat.Ab12Cd", "not an output");  // extension not asked for
    writeFile(dir.path() / "photo.jpg", "an output");
    writeFile(dir.path() / ".busy.png.Qw3rTy", "being written");
    const int held = ::open((dir.path() / ".busy.png.Qw3rTy").c_str(), O_RDONLY);
    ASSERT_EQ(flock(held, LOCK_EX), 0);

    EXPECT_EQ(removeStaleTemporaries(dir.path(), {".jpg", ".png", ".html"}), 2u);
    ::close(held);
    EXPECT_FALSE(fs::exists(dir.path() / ".photo.jpg.Ab12Cd"));
    EXPECT_FALSE(fs::exists(dir.path() / ".page.html.zzzzzz"));
    EXPECT_EQ(filesIn(dir.path()), 5);
}

// Shard processes share an output folder, and each one clears stale temporaries as it starts while
// the others write: a writer's temporary must never be taken for a stale one.
TEST(AtomicFile, CleaningUpBesideAWriterNeverTakesItsTemporary) {
    TempDir dir;
    std::atomic<bool> writing{true};
    std::thread cleaner([&] {
        while (writing)
            removeStaleTemporaries(dir.path(), {".jpg"});
    });
    std::string failure;
    for (int i = 0; i < 3000 && failure.empty(); ++i) {
        const auto written = writeFileAtomically(dir.path() / "photo.jpg", std::to_string(i), Flush::kLater);
        if (!written.ok()) failure = written.error().systemError;
    }
    writing = false;
    cleaner.join();
    EXPECT_EQ(failure, "");
    EXPECT_EQ(filesIn(dir.path()), 1);
}

TEST(AtomicFile, MissingFolderIsAnOpenFailure) {
    TempDir dir;
    const auto missing = writeFileAtomically(dir.path() / "no" / "such.dat", "x");
    ASSERT_FALSE(missing.ok());
    EXPECT_EQ(missing.error().stage, WriteFailure::kOpen);
}

}  // namespace
}  // namespace plazor
