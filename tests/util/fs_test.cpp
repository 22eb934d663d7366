#include "util/fs.h"

#include <dirent.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <memory>

#include "support/fifo.h"
#include "support/temp_dir.h"
#include "util/probe.h"
#include "util/regular_file.h"

namespace plazor {
namespace {

namespace fs = std::filesystem;

struct DirCloser {
    void operator()(DIR* d) const { closedir(d); }
};

// The names of a folder's entries in the order the file system returns them, read with readdir.
std::vector<std::string> systemOrder(const std::string& folder) {
    std::vector<std::string> names;
    std::unique_ptr<DIR, DirCloser> dir(opendir(folder.c_str()));
    if (!dir) return names;
    while (const dirent* e = readdir(dir.get())) {
        const std::string name = e->d_name;
        if (name != "." && name != "..") names.push_back(name);
    }
    return names;
}

// Pre-order walk over the visible sub-folders, computed independently of the code under test.
void expectedSubFolders(const std::string& folder, std::vector<std::string>& out) {
    for (const std::string& name : systemOrder(folder)) {
        const std::string child = folder + "/" + name;
        if (name[0] == '.' || !fs::is_directory(child)) continue;
        out.push_back(child);
        expectedSubFolders(child, out);
    }
}

std::vector<std::string> expectedFiles(const std::string& folder) {
    std::vector<std::string> out;
    for (const std::string& name : systemOrder(folder)) {
        if (!fs::is_directory(folder + "/" + name)) out.push_back(folder + "/" + name);
    }
    return out;
}

std::string repeat(std::string_view unit, std::size_t n) {
    std::string s;
    for (std::size_t i = 0; i < n; ++i)
        s += unit;
    return s;
}

// The guard message exactly as the user reads it; `what` is "文件夹" or "文件".
std::string guardText(const std::string& what, std::size_t length, const std::string& path) {
    return "软件因下列原因意外退出：\n" + what + "路径长度大于 259 个字符！\n\n当前" + what + "路径长度：" +
           std::to_string(length) + " 个字符\n" + path + "\n\n解决方案：修改" + what +
           "路径长度，使其长度不超过 259 个字符。\n\n提示：一个英文字母占 1 个字符，一个汉字占 2 个字符。";
}

class FsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* folder : {"a/b/c", "a/b2", "a/.dot/inner", "d", "e/f", ".hidden/g"}) {
            fs::create_directories(dir.path() / folder);
        }
        for (const char* file : {"x.jpg", ".dotfile", "a/y.png", "e/z.txt"})
            testing::writeFile(dir / file, "12345");
    }

    testing::TempDir dir;
};

TEST_F(FsTest, SubFoldersArePreOrderInFileSystemOrder) {
    std::vector<std::string> out;
    EXPECT_TRUE(listSubFolders(dir.str(), true, out).ok());
    std::vector<std::string> expected;
    expectedSubFolders(dir.str(), expected);
    EXPECT_EQ(out, expected);
    EXPECT_EQ(out.size(), 7u);  // a, a/b, a/b/c, a/b2, d, e, e/f
    // Whatever the order among siblings, a/b is followed by its own child before anything else.
    const auto b = std::find(out.begin(), out.end(), dir / "a/b");
    ASSERT_LT(b + 1, out.end());
    EXPECT_EQ(*(b + 1), dir / "a/b/c");
    EXPECT_LT(std::find(out.begin(), out.end(), dir / "a"), b);
}

TEST_F(FsTest, DotFoldersAreNeitherListedNorEntered) {
    std::vector<std::string> out;
    EXPECT_TRUE(listSubFolders(dir.str(), true, out).ok());
    for (const std::string& p : out)
        EXPECT_EQ(p.find("/."), std::string::npos) << p;

    std::vector<std::string> top;
    EXPECT_TRUE(listSubFolders(dir.str(), false, top).ok());
    std::vector<std::string> expected;
    for (const std::string& name : systemOrder(dir.str())) {
        if (name[0] != '.' && fs::is_directory(dir / name)) expected.push_back(dir / name);
    }
    EXPECT_EQ(top, expected);
    EXPECT_EQ(top.size(), 3u);
}

TEST_F(FsTest, FilesIncludeDotFilesButNoFolders) {
    std::vector<std::string> out;
    EXPECT_TRUE(listFiles(dir.str(), out).ok());
    EXPECT_EQ(out, expectedFiles(dir.str()));
    EXPECT_EQ(out.size(), 2u);
    EXPECT_NE(std::find(out.begin(), out.end(), dir / ".dotfile"), out.end());

    std::vector<std::string> names;
    EXPECT_TRUE(listFileNames(dir.str(), names));
    std::vector<std::string> bare;
    for (const std::string& p : out)
        bare.push_back(baseName(p));
    EXPECT_EQ(names, bare);
}

TEST_F(FsTest, TrailingSeparatorsAreRemoved) {
    std::vector<std::string> plain, slashed, files;
    EXPECT_TRUE(listSubFolders(dir.str(), true, plain).ok());
    EXPECT_TRUE(listSubFolders(dir.str() + "///", true, slashed).ok());
    EXPECT_EQ(slashed, plain);
    EXPECT_TRUE(listFiles(dir.str() + "/", files).ok());
    EXPECT_EQ(files, expectedFiles(dir.str()));

    EXPECT_EQ(normaliseFolder("/pics//"), "/pics");
    EXPECT_EQ(normaliseFolder("///"), "/");
    EXPECT_EQ(normaliseFolder("/"), "/");
    EXPECT_EQ(joinPath("/", "name"), "/name");
    EXPECT_EQ(joinPath("/pics", "name"), "/pics/name");
}

TEST(Fs, RootChildrenHaveOneSeparator) {
    std::vector<std::string> out;
    ASSERT_TRUE(listSubFolders("/", false, out).ok());
    ASSERT_FALSE(out.empty());
    for (const std::string& p : out) {
        EXPECT_EQ(p.rfind("/", 0), 0u) << p;
        EXPECT_NE(p[1], '/') << p;
    }
    EXPECT_NE(std::find(out.begin(), out.end(), "/tmp"), out.end());
}

bool notOpened(const ListStatus& listing) {
    return !listing.ok() && listing.error().kind == ListFailureKind::NotOpened;
}

TEST(Fs, FoldersThatCannotBeOpened) {
    testing::TempDir dir;
    std::vector<std::string> out = {"kept"};
    EXPECT_TRUE(notOpened(listSubFolders(dir / "missing", true, out)));
    EXPECT_TRUE(notOpened(listFiles(dir / "missing", out)));
    EXPECT_FALSE(listFileNames(dir / "missing", out));
    // An empty text names no folder at all.
    EXPECT_TRUE(notOpened(listFiles("", out)));
    EXPECT_TRUE(notOpened(listSubFolders("", false, out)));
    EXPECT_EQ(out, std::vector<std::string>{"kept"});
}

// A folder whose own path is `base` ASCII bytes long, to put children right at the limit.
std::string folderOfLength(const testing::TempDir& dir, std::size_t base) {
    const std::size_t pad = base - dir.str().size() - 1;
    const std::string folder = dir / repeat("p", pad);
    fs::create_directories(folder);
    return folder;
}

TEST(FsGuard, LimitIsMeasuredInCodePage936Bytes) {
    testing::TempDir dir;
    ASSERT_LT(dir.str().size(), 150u) << "temporary folder too deep for this test";
    const std::string base = folderOfLength(dir, 200);
    // 20 Chinese characters count 40 bytes (60 in UTF-8), so base + "/" + 40 + 18 = 259.
    const std::string han = repeat("图", 20);
    const std::string fits = base + "/" + han + repeat("x", 18);
    const std::string over = base + "/" + han + repeat("x", 19);

    fs::create_directory(fits);
    std::vector<std::string> out;
    EXPECT_TRUE(listSubFolders(base, false, out).ok());
    EXPECT_EQ(out, std::vector<std::string>{fits});

    fs::create_directory(over);
    out.clear();
    ListStatus r = listSubFolders(base, false, out);
    const ListFailure* guard = pathGuardOf(r);
    ASSERT_NE(guard, nullptr);
    EXPECT_EQ(guard->message, guardText("文件夹", 260, over));
    EXPECT_EQ(guard->path, over);
    EXPECT_FALSE(r.ok());

    fs::remove(fits);
    fs::remove(over);
    testing::writeFile(fits, "1");
    out.clear();
    EXPECT_TRUE(listFiles(base, out).ok());
    EXPECT_EQ(out, std::vector<std::string>{fits});

    testing::writeFile(over, "1");
    out.clear();
    r = listFiles(base, out);
    guard = pathGuardOf(r);
    ASSERT_NE(guard, nullptr);
    EXPECT_EQ(guard->message, guardText("文件", 260, over));
    EXPECT_EQ(guard->path, over);

    EXPECT_EQ(folderPathTooLongMessage(over), guardText("文件夹", 260, over));
    EXPECT_EQ(filePathTooLongMessage(over), guardText("文件", 260, over));
}

TEST(FsGuard, StopsTheListingAtTheLongPath) {
    testing::TempDir dir;
    const std::string base = folderOfLength(dir, 200);
    const std::string longName = repeat("L", 70);
    for (const std::string& name : {std::string("f1"), std::string("f2"), longName, std::string("f3"),
                                    std::string("f4"), std::string("f5")}) {
        testing::writeFile(base + "/" + name, "1");
    }
    std::vector<std::string> out;
    const ListStatus r = listFiles(base, out);
    ASSERT_NE(pathGuardOf(r), nullptr);
    EXPECT_EQ(pathGuardOf(r)->path, base + "/" + longName);
    // Exactly the entries the file system returned before the long one.
    std::vector<std::string> before;
    for (const std::string& name : systemOrder(base)) {
        if (name == longName) break;
        before.push_back(base + "/" + name);
    }
    EXPECT_EQ(out, before);
}

TEST(FsGuard, StopsARecursiveListingAtAnyDepth) {
    testing::TempDir dir;
    const std::string base = folderOfLength(dir, 200);
    const std::string deep = base + "/a/" + repeat("d", 60);
    fs::create_directories(deep);
    fs::create_directories(base + "/b/c");
    std::vector<std::string> out;
    const ListStatus r = listSubFolders(base, true, out);
    ASSERT_NE(pathGuardOf(r), nullptr);
    EXPECT_EQ(pathGuardOf(r)->message, guardText("文件夹", deep.size(), deep));
    // Nothing is listed after the long path: not even the next top-level folder when it comes later.
    ASSERT_FALSE(out.empty());
    EXPECT_EQ(out.back(), base + "/a");
}

TEST(Fs, FileQueries) {
    testing::TempDir dir;
    testing::writeFile(dir / "five.bin", "12345");
    testing::writeFile(dir / "empty.bin", "");
    EXPECT_EQ(fileSize(dir / "five.bin"), 5);
    EXPECT_EQ(fileSize(dir / "empty.bin"), 0);
    EXPECT_EQ(fileSize(dir / "missing"), -1);
    EXPECT_EQ(fileSize(dir.str()), -1);

    EXPECT_TRUE(fileExists(dir / "five.bin"));
    EXPECT_FALSE(fileExists(dir / "missing"));
    EXPECT_FALSE(fileExists(dir.str()));

    EXPECT_TRUE(isFolder(dir.str()));
    EXPECT_FALSE(isFolder(dir / "five.bin"));
    EXPECT_FALSE(isFolder(dir / "missing"));

    if (geteuid() != 0) {  // the superuser can read anything
        fs::permissions(dir / "five.bin", fs::perms::none);
        EXPECT_FALSE(fileExists(dir / "five.bin"));
        EXPECT_EQ(fileSize(dir / "five.bin"), -1);
    }

    // Larger than 32 bits can hold: the largest size, never a wrapped one.
    std::error_code ec;
    fs::resize_file(dir / "empty.bin", 5ull << 30, ec);
    if (!ec) {
        EXPECT_EQ(fileSize(dir / "empty.bin"), std::numeric_limits<std::int32_t>::max());
    }
}

TEST(Fs, PipesAreNeverOpenedAsFiles) {
    // Every query on a named pipe (directly or through a link) answers at once and reads nothing;
    // a link to a regular file reads as the file.
    testing::TempDir dir;
    testing::Fifo fifo(dir.path() / "pipe.jpg");
    fs::create_symlink(dir.path() / "pipe.jpg", dir.path() / "link-to-pipe.jpg");
    testing::writeFile(dir / "real.gif", std::string("GIF89a\x02\x00\x03\x00\x80\x00\x00", 13));
    fs::create_symlink(dir.path() / "real.gif", dir.path() / "link-to-real.gif");
    for (const char* name : {"pipe.jpg", "link-to-pipe.jpg"}) {
        const std::string path = dir / name;
        EXPECT_FALSE(isRegularFile(path)) << name;
        EXPECT_EQ(fileSize(path), -1) << name;
        EXPECT_FALSE(probePicture(path)) << name;
        const Outcome<std::string> read = readRegularFile(path, 1000);
        ASSERT_FALSE(read.ok()) << name;
        EXPECT_EQ(read.error(), "not a regular file") << name;
    }
    EXPECT_TRUE(isRegularFile(dir / "link-to-real.gif"));
    const Outcome<std::string> real = readRegularFile(dir / "link-to-real.gif", 1000);
    ASSERT_TRUE(real.ok());
    EXPECT_EQ(*real, testing::readFile(dir / "real.gif"));
    ASSERT_TRUE(probePicture(dir / "link-to-real.gif"));
    EXPECT_EQ(probePicture(dir / "link-to-real.gif")->width, 2);
    EXPECT_FALSE(readRegularFile(dir / "real.gif", 5).ok());  // over the limit
    EXPECT_FALSE(fifo.hadToUnblock());
}

TEST(Fs, BaseName) {
    EXPECT_EQ(baseName("/pics/a/photo.jpg"), "photo.jpg");
    EXPECT_EQ(baseName("photo.jpg"), "photo.jpg");
    EXPECT_EQ(baseName("/pics/"), "");
    EXPECT_EQ(baseName("/图片/照片.png"), "照片.png");
}

}  // namespace
}  // namespace plazor
