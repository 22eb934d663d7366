// The plain decisions of the background, output and refresh commands.
#include "app/commands/command_checks.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "support/pictures.h"
#include "support/temp_dir.h"

namespace plazor {
namespace {

using testing::TempDir;
using testing::writeFile;
using testing::writeFilledPicture;

TEST(BackgroundPictureCheck, ReportsTheFirstProblemInOrder) {
    TempDir dir;
    const std::string missing = dir / "gone.png";
    EXPECT_EQ(backgroundPictureProblem(missing), "背景图片 '" + missing + "' 已不存在，请重新选择。");

    // A real PNG under a name the program does not take.
    const std::string wrongName = dir / "real.bmp";
    ASSERT_TRUE(writeFilledPicture(wrongName, "PNG", 4, 4));
    EXPECT_EQ(backgroundPictureProblem(wrongName),
              "背景图片 '" + wrongName + "' 格式不对，请重新选择。\n\n支持的格式: png, jpg, gif");

    const std::string junk = dir / "junk.jpg";
    writeFile(junk, "not a picture at all");
    EXPECT_EQ(backgroundPictureProblem(junk), "背景图片 '" + junk + "' 不是一个有效的图片，请重新选择。");

    const std::string tiff = dir / "tiff.PNG";
    ASSERT_TRUE(writeFilledPicture(tiff, "TIFF", 4, 4));
    EXPECT_EQ(backgroundPictureProblem(tiff),
              "背景图片 '" + tiff + "' 内部数据格式不受支持，请重新选择。\n\n支持的格式: png, jpg, gif");

    // A folder with a picture's name cannot be probed.
    const std::string folder = dir / "folder.gif";
    std::filesystem::create_directories(folder);
    EXPECT_EQ(backgroundPictureProblem(folder), "背景图片 '" + folder + "' 不是一个有效的图片，请重新选择。");

    const std::string jpeg = dir / "photo.JPEG";
    ASSERT_TRUE(writeFilledPicture(jpeg, "JPEG", 4, 4));
    EXPECT_EQ(backgroundPictureProblem(jpeg), std::nullopt);
}

TEST(CustomDpi, AcceptsOneTo1200) {
    EXPECT_EQ(customDpiEntry("0").refusal, "DPI 不能小于 1");
    EXPECT_EQ(customDpiEntry("-3").refusal, "DPI 不能小于 1");
    EXPECT_EQ(customDpiEntry("1201").refusal, "DPI 不能大于 1200");
    // Too many digits for any integer type is still just too large (or too small).
    EXPECT_EQ(customDpiEntry("99999999999999999999999").refusal, "DPI 不能大于 1200");
    EXPECT_EQ(customDpiEntry("-99999999999999999999999").refusal, "DPI 不能小于 1");

    const DpiEntry high = customDpiEntry("1200");
    EXPECT_EQ(high.refusal, std::nullopt);
    EXPECT_EQ(high.dpi, 1200);
    EXPECT_EQ(customDpiEntry("1").dpi, 1);
}

TEST(OutputFolderProposal, CountsUpPastExistingNames) {
    std::set<std::string> existing;
    const auto exists = [&existing](const std::string& path) { return existing.count(path) > 0; };
    EXPECT_EQ(proposedOutputFolder("/home/user/photos", exists), "/home/user/photos_处理后");
    EXPECT_EQ(proposedOutputFolder("/home/user/photos/", exists), "/home/user/photos_处理后");

    existing = {"/home/user/photos_处理后"};
    EXPECT_EQ(proposedOutputFolder("/home/user/photos", exists), "/home/user/photos_处理后(2)");

    existing.insert("/home/user/photos_处理后(2)");
    existing.insert("/home/user/photos_处理后(3)");
    EXPECT_EQ(proposedOutputFolder("/home/user/photos", exists), "/home/user/photos_处理后(4)");
}

TEST(WatermarkRefreshCheck, TellsMissingFromUnsupportedAndReadsTheSize) {
    TempDir dir;
    WatermarkLayer layer;
    layer.number = 2;
    layer.path = dir / "mark.png";
    WatermarkPictureCheck check = checkWatermarkPicture(layer);
    EXPECT_EQ(check.status, WatermarkPictureCheck::kMissing);
    EXPECT_EQ(check.text, "水印层#2 的图片 '" + layer.path + "' 已不存在, 请重新选择");

    ASSERT_TRUE(writeFilledPicture(layer.path, "BMP", 5, 3));
    check = checkWatermarkPicture(layer);
    EXPECT_EQ(check.status, WatermarkPictureCheck::kUnsupported);
    EXPECT_EQ(check.text, "水印层#2 的图片 '" + layer.path +
                              "' 内部数据格式不受支持，请重新选择。\n\n支持的格式: png, jpg, gif");

    ASSERT_TRUE(writeFilledPicture(layer.path, "GIF", 5, 3));
    check = checkWatermarkPicture(layer);
    EXPECT_EQ(check.status, WatermarkPictureCheck::kOk);
    EXPECT_EQ(check.width, 5);
    EXPECT_EQ(check.height, 3);
}

}  // namespace
}  // namespace plazor
