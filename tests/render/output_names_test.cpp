#include "render/output_names.h"

#include <gtest/gtest.h>

#include <set>

#include "support/temp_dir.h"

namespace plazor {
namespace {

TEST(OutputNames, FirstFreeNameCountsFromTwo) {
    std::set<std::string> taken;
    auto isTaken = [&](const std::string& p) { return taken.count(p) > 0; };
    EXPECT_EQ(firstFreeName("out/photo", ".jpg", isTaken), "out/photo.jpg");
    taken = {"out/photo.jpg"};
    EXPECT_EQ(firstFreeName("out/photo", ".jpg", isTaken), "out/photo(2).jpg");
    taken = {"out/photo.jpg", "out/photo(2).jpg", "out/photo(3).jpg"};
    EXPECT_EQ(firstFreeName("out/photo", ".jpg", isTaken), "out/photo(4).jpg");
    taken = {"out/photo"};
    EXPECT_EQ(firstFreeName("out/photo", "", isTaken), "out/photo(2)");
}

TEST(OutputNames, FoldersAndDanglingLinksCountAsTaken) {
    testing::TempDir dir;
    std::filesystem::create_directory(dir.path() / "photo");
    std::filesystem::create_symlink(dir.path() / "nowhere", dir.path() / "link.jpg");
    EXPECT_TRUE(pathTaken(dir / "photo"));
    EXPECT_TRUE(pathTaken(dir / "link.jpg"));
    EXPECT_FALSE(pathTaken(dir / "free.jpg"));
}

}  // namespace
}  // namespace plazor
