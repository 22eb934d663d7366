#include "render/sources.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <random>
#include <set>

#include "support/temp_dir.h"

namespace plazor {
namespace {

namespace fs = std::filesystem;

TEST(Sources, PicturesAreKnownByTheirEnding) {
    for (const char* name : {"a.jpg", "b.JPEG", "c.Png", "d.gif", "/x.y/e.GiF"})
        EXPECT_TRUE(isPicture(name)) << name;
    for (const char* name : {"x.bmp", "y.jpg.txt", "jpg", "a.jpgx", "a.tif", ""})
        EXPECT_FALSE(isPicture(name)) << name;
}

TEST(Sources, ScanKeepsPicturesInFoldedOrder) {
    testing::TempDir dir;
    for (const char* name : {"c.gif", "B.jpg", "x.bmp", "a.PNG", "y.jpg.txt"})
        testing::writeFile(dir / name, "1");
    fs::create_directory(dir / "folder.jpg");
    const SourceScan scan = scanSources(dir.str(), kPictureListMode);
    EXPECT_TRUE(scan.listing.ok());
    EXPECT_EQ(scan.list, (std::vector<std::string>{dir / "a.PNG", dir / "B.jpg", dir / "c.gif"}));
}

TEST(Sources, LettersFoldToLowerCaseAndOtherBytesAreUnsigned) {
    // Folded to lower case "_" (5F) sorts before "b" (62); folded to upper case it would follow "B" (42).
    std::vector<std::string> paths = {"/p/aB.jpg", "/p/a_.jpg", "/p/z.jpg", "/p/é.jpg", "/p/1.jpg"};
    sortSources(paths);
    EXPECT_EQ(paths,
              (std::vector<std::string>{"/p/1.jpg", "/p/a_.jpg", "/p/aB.jpg", "/p/z.jpg", "/p/é.jpg"}));

    // A shorter path that is a prefix of another comes first.
    paths = {"/p/ab", "/p/A"};
    sortSources(paths);
    EXPECT_EQ(paths, (std::vector<std::string>{"/p/A", "/p/ab"}));
}

TEST(Sources, ChineseNamesSortByTheirCodePage936Bytes) {
    // 啊 is B0 A1 and 一 is D2 BB in code page 936; in UTF-8 the order would be the other way round.
    std::vector<std::string> paths = {"/p/一.jpg", "/p/啊.jpg"};
    sortSources(paths);
    EXPECT_EQ(paths, (std::vector<std::string>{"/p/啊.jpg", "/p/一.jpg"}));
}

TEST(Sources, PathsEqualApartFromCaseKeepByteOrder) {
    const std::vector<std::string> expected = {"/p/A.jpg", "/p/a.jpg", "/p/b.jpg"};
    for (std::vector<std::string> paths : {std::vector<std::string>{"/p/a.jpg", "/p/b.jpg", "/p/A.jpg"},
                                           std::vector<std::string>{"/p/b.jpg", "/p/A.jpg", "/p/a.jpg"}}) {
        sortSources(paths);
        EXPECT_EQ(paths, expected);
    }
}

// The exchange sort the order is defined by: at each position, swap with every later entry that
// compares smaller. Only meaningful for keys without case-only ties.
void exchangeSort(std::vector<std::string>& v) {
    auto greater = [](const std::string& a, const std::string& b) {
        for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i) {
            const int x = std::tolower(static_cast<unsigned char>(a[i]));
            const int y = std::tolower(static_cast<unsigned char>(b[i]));
            if (x != y) return x > y;
        }
        return a.size() > b.size();
    };
    for (std::size_t i = 0; i < v.size(); ++i) {
        for (std::size_t j = i + 1; j < v.size(); ++j) {
            if (greater(v[i], v[j])) std::swap(v[i], v[j]);
        }
    }
}

TEST(Sources, SameOrderAsTheExchangeSort) {
    std::mt19937 rng(7);
    const std::string alphabet = "aAbBzZ_-.09 ~";
    for (int round = 0; round < 50; ++round) {
        std::vector<std::string> paths;
        std::set<std::string> folded;
        while (paths.size() < 40) {
            std::string name = "/src/";
            for (int n = 1 + static_cast<int>(rng() % 6); n > 0; --n)
                name += alphabet[rng() % alphabet.size()];
            std::string key = name;
            std::transform(key.begin(), key.end(), key.begin(),
                           [](unsigned char c) { return std::tolower(c); });
            if (folded.insert(key).second) paths.push_back(name);
        }
        std::vector<std::string> expected = paths;
        exchangeSort(expected);
        sortSources(paths);
        ASSERT_EQ(paths, expected) << "round " << round;
    }
}

bool notOpened(const ListStatus& listing) {
    return !listing.ok() && listing.error().kind == ListFailureKind::NotOpened;
}

TEST(Sources, MissingFolderGivesNothing) {
    testing::TempDir dir;
    const SourceScan scan = scanSources(dir / "missing", kPictureListMode);
    EXPECT_TRUE(scan.list.empty());
    EXPECT_TRUE(notOpened(scan.listing));
    EXPECT_TRUE(notOpened(scanSources("", kSubFolderListMode).listing));
}

TEST(Sources, GuardEmptiesTheScan) {
    testing::TempDir dir;
    testing::writeFile(dir / "a.jpg", "1");
    testing::writeFile(dir / std::string(250, 'n').append(".txt"), "1");
    const SourceScan scan = scanSources(dir.str(), kPictureListMode);
    ASSERT_NE(pathGuardOf(scan.listing), nullptr);
    EXPECT_TRUE(scan.list.empty());
    EXPECT_EQ(pathGuardOf(scan.listing)->path, dir / std::string(250, 'n').append(".txt"));
}

std::vector<std::string> numberedPictures(int count) {
    std::vector<std::string> v;
    for (int i = 1; i <= count; ++i)
        v.push_back("/src.d/p" + std::to_string(i / 10) + std::to_string(i % 10) + ".x.jpg");
    return v;
}

TEST(Batches, PictureListModeCutsTheListIntoSlices) {
    const auto pictures = numberedPictures(10);
    ASSERT_EQ(batchCount(pictures, kPictureListMode, 4), 3u);
    EXPECT_EQ(batchCount(pictures, kPictureListMode, 5), 2u);
    EXPECT_EQ(batchCount(pictures, kPictureListMode, 11), 1u);
    EXPECT_EQ(batchCount(pictures, kPictureListMode, 0), 0u);
    EXPECT_EQ(batchCount({}, kPictureListMode, 4), 0u);

    const Batch first = batchAt(pictures, kPictureListMode, 4, 0);
    EXPECT_EQ(first.pictures, std::vector<std::string>(pictures.begin(), pictures.begin() + 4));
    // Named after the file name, only the part from its last "." removed.
    EXPECT_EQ(first.name, "p01.x");
    EXPECT_TRUE(first.listing.ok());

    const Batch second = batchAt(pictures, kPictureListMode, 4, 1);
    EXPECT_EQ(second.name, "p05.x");
    EXPECT_EQ(second.pictures.front(), pictures[4]);

    // The third batch fills layers 1 and 2 only.
    const Batch third = batchAt(pictures, kPictureListMode, 4, 2);
    EXPECT_EQ(third.pictures, (std::vector<std::string>{pictures[8], pictures[9]}));
    EXPECT_EQ(third.name, "p09.x");

    EXPECT_TRUE(batchAt(pictures, kPictureListMode, 4, 3).pictures.empty());
}

TEST(Batches, SubFolderListMode) {
    testing::TempDir dir;
    for (const char* file : {"s1/1.jpg", "s1/2.png", "s1/notes.txt", "s1/3.gif", "s1/4.JPEG", "s1/5.jpg",
                             "S2.v/readme.txt", ".hidden/1.jpg"}) {
        testing::writeFile(dir / file, "1");
    }
    fs::create_directory(dir / "s3");
    const SourceScan scan = scanSources(dir.str(), kSubFolderListMode);
    ASSERT_EQ(scan.list, (std::vector<std::string>{dir / "s1", dir / "S2.v", dir / "s3"}));
    EXPECT_EQ(batchCount(scan.list, kSubFolderListMode, 2), 3u);

    // The pictures in name order whatever order the file system lists them in, at most one per paste
    // layer.
    const std::vector<std::string> inOrder = {dir / "s1/1.jpg", dir / "s1/2.png", dir / "s1/3.gif",
                                              dir / "s1/4.JPEG", dir / "s1/5.jpg"};
    const Batch first = batchAt(scan.list, kSubFolderListMode, 3, 0);
    EXPECT_EQ(first.name, "s1");
    EXPECT_EQ(first.pictures, std::vector<std::string>(inOrder.begin(), inOrder.begin() + 3));
    EXPECT_EQ(batchAt(scan.list, kSubFolderListMode, 9, 0).pictures, inOrder);

    // A sub-folder without pictures is a batch with nothing to paste; its name keeps every ".".
    const Batch second = batchAt(scan.list, kSubFolderListMode, 3, 1);
    EXPECT_EQ(second.name, "S2.v");
    EXPECT_TRUE(second.pictures.empty());
    EXPECT_TRUE(second.listing.ok());
}

TEST(Batches, SubFolderPicturesFollowTheSourceListOrder) {
    // Enough names that a hashed or reversed directory listing cannot come out sorted by chance.
    testing::TempDir dir;
    std::vector<std::string> names;
    for (int i = 0; i < 24; ++i)
        names.push_back((i % 2 ? "P" : "p") + std::to_string(100 + i) + ".jpg");
    for (const std::string& name : names)
        testing::writeFile(dir / ("s/" + name), "1");
    std::vector<std::string> expected;
    for (const std::string& name : names)
        expected.push_back(dir / ("s/" + name));
    sortSources(expected);
    EXPECT_EQ(batchAt({dir / "s"}, kSubFolderListMode, names.size(), 0).pictures, expected);
}

TEST(Batches, SubFolderGuardAbandonsTheBatch) {
    testing::TempDir dir;
    testing::writeFile(dir / "s1/a.jpg", "1");
    testing::writeFile(dir / ("s1/" + std::string(250, 'n') + ".jpg"), "1");
    const Batch batch = batchAt({dir / "s1"}, kSubFolderListMode, 4, 0);
    ASSERT_NE(pathGuardOf(batch.listing), nullptr);
    EXPECT_TRUE(batch.pictures.empty());
}

}  // namespace
}  // namespace plazor
