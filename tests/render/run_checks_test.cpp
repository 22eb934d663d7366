#include "render/run_checks.h"

#include <gtest/gtest.h>

#include <functional>

#include "support/temp_dir.h"
#include "util/magick.h"

namespace plazor {
namespace {

namespace fs = std::filesystem;

// Just enough of a PNG header for the probe: signature, IHDR length and type, 4 x 4 pixels.
const std::string kPngHeader =
    std::string("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\0\0\x04\0\0\0\x04\x08\x06\0\0\0", 29);

// A document and two folders that pass every check; each test breaks one thing.
class RunChecks : public ::testing::Test {
  protected:
    void SetUp() override {
        for (int i = 0; i < 10; ++i)
            testing::writeFile(dir / ("src/p" + std::to_string(i) + ".jpg"), "1");
        testing::writeFile(dir / "mark.png", kPngHeader);
        for (int i = 0; i < 4; ++i)
            place(doc.addPasteLayer(kAboveBackground, kStretch));
        doc.addWatermark(dir / "mark.png", 0, 0);
        doc.addSlice(100);
        doc.addSlice(200);
        source = dir / "src";
        output = dir / "out/nested";
    }

    static void place(PasteLayer& layer) {
        layer.x = layer.y = 0;
        layer.width = layer.height = 10;
    }

    RunCheckFailure failure(LoadMode mode = kPictureListMode) {
        const RunCheckResult r = checkBeforeRun(doc, source, output, mode);
        EXPECT_FALSE(r.ok());
        return r.failure.value_or(RunCheckFailure{});
    }

    testing::TempDir dir;
    Document doc;
    std::string source, output;
};

void expectFailure(const RunCheckFailure& f, RunCheck check, const std::string& title,
                   const std::string& text) {
    EXPECT_EQ(f.check, check);
    EXPECT_EQ(f.title, title);
    EXPECT_EQ(f.text, text);
}

TEST_F(RunChecks, PassingChecksGiveTheSourcesAndBatches) {
    const RunCheckResult r = checkBeforeRun(doc, source, output, kPictureListMode);
    ASSERT_TRUE(r.ok()) << r.failure->text;
    EXPECT_EQ(r.plan.sources.size(), 10u);
    EXPECT_EQ(r.plan.sources.front(), dir / "src/p0.jpg");
    EXPECT_EQ(r.plan.batches, 3u);
    // The checks only read: the missing output folder is made when the run is prepared.
    EXPECT_FALSE(fs::exists(dir / "out"));
    EXPECT_EQ(createOutputFolder(output), std::nullopt);
    EXPECT_TRUE(fs::is_directory(output));
}

TEST_F(RunChecks, PictureBackground) {
    doc.background.kind = kPictureBackground;
    expectFailure(failure(), RunCheck::BackgroundPicture, "请选择一张背景图片", "请选择...");

    doc.background.picturePath = dir / "gone.jpg";
    expectFailure(failure(), RunCheck::BackgroundPicture, "背景图片不存在",
                  "背景图片 '" + dir / "gone.jpg" + "' 已不存在，请重新选择");

    doc.background.picturePath = dir / "mark.png";
    // The size texts of a colour background are not looked at for a picture background.
    doc.background.szWidth.clear();
    EXPECT_TRUE(checkBeforeRun(doc, source, output, kPictureListMode).ok());
}

TEST_F(RunChecks, BackgroundPictureThatCouldNotBeRead) {
    testing::writeFile(dir / "damaged.jpg", "\xFF\xD8\xFF\xE0 cut short");
    doc.background.kind = kPictureBackground;
    EXPECT_FALSE(doc.setBackgroundPicture(dir / "damaged.jpg"));
    expectFailure(failure(), RunCheck::BackgroundPicture, "背景图片无法使用",
                  "背景图片 '" + dir / "damaged.jpg" + "' 不是一个有效的图片，请重新选择");
}

// A long page is within the library's limits once the program's own policy lifts the system's caps
// (16,000 pixels a side on Debian); beyond the library's limits the check fails before the run.
TEST_F(RunChecks, CanvasAgainstTheImageLibraryLimits) {
    doc.slices.clear();
    doc.background.width = 750;
    doc.background.height = 30000;
    EXPECT_TRUE(checkBeforeRun(doc, source, output, kPictureListMode).ok());

    const MagickSizeType height = MagickGetResourceLimit(HeightResource);
    MagickSetResourceLimit(HeightResource, 16000);
    const RunCheckFailure f = failure();
    MagickSetResourceLimit(HeightResource, height);
    expectFailure(f, RunCheck::BackgroundWidth, "【背景层】尺寸超出图片库的限制",
                  "【背景层】尺寸 750 x 30000 像素 超出图片库的限制（最大 " +
                      std::to_string(MagickGetResourceLimit(WidthResource)) + " x 16000 像素），请重新输入");
}

TEST_F(RunChecks, ColourBackgroundSizeTexts) {
    doc.background.szWidth = "";
    doc.background.szHeight = "";
    expectFailure(failure(), RunCheck::BackgroundWidth, "请输入【背景层】宽度", "这里不能为空");
    for (const char* bad : {"0", "abc", "-3", "0.0"}) {
        doc.background.szWidth = bad;
        expectFailure(failure(), RunCheck::BackgroundWidth, "【背景层】宽度必须大于 0", "请重新输入");
    }
    doc.background.szWidth = "2.5";
    expectFailure(failure(), RunCheck::BackgroundHeight, "请输入【背景层】高度", "这里不能为空");
    doc.background.szHeight = "0";
    expectFailure(failure(), RunCheck::BackgroundHeight, "【背景层】高度必须大于 0", "请重新输入");
    doc.background.szHeight = " 12cm";
    EXPECT_TRUE(checkBeforeRun(doc, source, output, kPictureListMode).ok());

    // A hand-edited template can show a size over a stored pixel size of 0: the run uses the pixels.
    doc.background.width = 0;
    expectFailure(failure(), RunCheck::BackgroundWidth, "【背景层】宽度必须大于 0", "请重新输入");
    doc.background.width = 10;
    doc.background.height = -1;
    expectFailure(failure(), RunCheck::BackgroundHeight, "【背景层】高度必须大于 0", "请重新输入");
}

TEST_F(RunChecks, PasteLayers) {
    doc.pasteLayers[1].width = -1;
    doc.pasteLayers[2].x = -1;
    RunCheckFailure f = failure();
    expectFailure(f, RunCheck::PasteLayers, "贴图层#2 还没有创建选区", "可以创建一个选区或删除这个贴图层");
    EXPECT_EQ(f.row, 1u);

    doc.pasteLayers.clear();
    f = failure();
    expectFailure(f, RunCheck::PasteLayers, "请至少创建一个【贴图层】选区", "点右键创建...");
    EXPECT_FALSE(f.row.has_value());
}

TEST_F(RunChecks, Watermarks) {
    testing::writeFile(dir / "mark.bmp", std::string("BM\x10\0\0\0", 6) + std::string(20, '\x01'));
    doc.addWatermark(dir / "mark.bmp", 0, 0);
    doc.addWatermark(dir / "gone.png", 0, 0);
    RunCheckFailure f = failure();
    expectFailure(f, RunCheck::WatermarkFormat, "",
                  "水印层#2 的图片 '" + dir / "mark.bmp" +
                      "' 内部数据格式不受支持，请重新选择。\n\n支持的格式: png, jpg, gif");
    EXPECT_EQ(f.row, 1u);

    doc.deleteWatermarks({1});
    f = failure();
    expectFailure(f, RunCheck::WatermarkPicture, "水印层#2 的图片地址不存在",
                  "水印层#2 的图片 '" + dir / "gone.png" + "' 已不存在, 请重新选择");
    EXPECT_EQ(f.row, 1u);

    // Not a picture at all, with a picture's name.
    doc.watermarks[1].path = dir / "src/p0.jpg";
    EXPECT_EQ(failure().check, RunCheck::WatermarkFormat);

    doc.settings.watermarkOpen = false;
    EXPECT_TRUE(checkBeforeRun(doc, source, output, kPictureListMode).ok());
}

TEST_F(RunChecks, Slices) {
    auto sliceFailure = [&](std::vector<int> ys) {
        doc.slices.clear();
        for (int y : ys)
            doc.addSlice(y);
        return failure();
    };
    RunCheckFailure f = sliceFailure({100, 100});
    expectFailure(f, RunCheck::SlicePosition, "横切片#2 的y坐标与 横切片#1 相同，请重新定位", "请重新定位");
    EXPECT_EQ(f.row, 1u);

    expectFailure(sliceFailure({100, -1}), RunCheck::SlicePosition, "横切片#2 的y坐标还没有定位",
                  "请指定横切片的位置");
    expectFailure(sliceFailure({0}), RunCheck::SlicePosition, "横切片#1 的y坐标不能小于1", "请重新定位");
    expectFailure(sliceFailure({-5}), RunCheck::SlicePosition, "横切片#1 的y坐标不能小于1", "请重新定位");
    // The background is 800 high: 799 is the last row.
    f = sliceFailure({100, 200, 800});
    expectFailure(f, RunCheck::SlicePosition, "横切片#3 的y坐标不能大于 799，请重新定位", "请重新定位");
    EXPECT_EQ(f.row, 2u);

    // Only the previous slice is compared.
    doc.slices.clear();
    for (int y : {100, 200, 100, 799})
        doc.addSlice(y);
    EXPECT_TRUE(checkBeforeRun(doc, source, output, kPictureListMode).ok());

    doc.slices.clear();
    doc.addSlice(-1);
    doc.settings.cutlineOpen = false;
    EXPECT_TRUE(checkBeforeRun(doc, source, output, kPictureListMode).ok());
}

TEST_F(RunChecks, SourceFolder) {
    source.clear();
    expectFailure(failure(), RunCheck::SourceFolder, "请选择【源图片文件夹】", "请选择...");

    source = dir / "nowhere";
    expectFailure(failure(), RunCheck::SourceFolder, "【源图片文件夹】的地址不存在",
                  "【源图片文件夹】 '" + source + "' 不存在, 请重新选择");

    source = dir / "mark.png";  // a file is not a folder
    EXPECT_EQ(failure().title, "【源图片文件夹】的地址不存在");

    source = dir / "bare";
    fs::create_directories(dir / "bare/.hidden");
    testing::writeFile(dir / "bare/a.bmp", "1");
    expectFailure(failure(kPictureListMode), RunCheck::SourceFolder,
                  "【源图片文件夹】中没有找到任何可用的图片",
                  "在【源图片文件夹】 '" + source + "' 中没有找到任何可用的图片, 请重新选择");
    expectFailure(failure(kSubFolderListMode), RunCheck::SourceFolder, "【源图片文件夹】中不存在子文件夹",
                  "【源图片文件夹】 '" + source + "' 中没有找到一个子文件夹, 请重新选择");
    EXPECT_FALSE(fs::exists(output)) << "the output folder is made only after the source checks";
}

TEST_F(RunChecks, SubFolderModeCountsSubFolders) {
    fs::create_directories(dir / "src/one");
    fs::create_directories(dir / "src/two");
    fs::create_directories(dir / "src/.skip");
    const RunCheckResult r = checkBeforeRun(doc, source, output, kSubFolderListMode);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.plan.sources, (std::vector<std::string>{dir / "src/one", dir / "src/two"}));
    EXPECT_EQ(r.plan.batches, 2u);
}

TEST_F(RunChecks, LongSourcePathIsAnErrorBoxToReveal) {
    const std::string longFile = dir / ("src/" + std::string(250, 'n') + ".txt");
    testing::writeFile(longFile, "1");
    const RunCheckFailure f = failure();
    expectFailure(f, RunCheck::SourcePathLength, "", filePathTooLongMessage(longFile));
    EXPECT_EQ(f.path, longFile);
}

TEST_F(RunChecks, OutputFolder) {
    output.clear();
    expectFailure(failure(), RunCheck::OutputFolder, "请选择【图片保存到】文件夹", "请选择");

    // A file stands where a parent folder should be: the folder cannot be created.
    testing::writeFile(dir / "blocker", "1");
    output = dir / "blocker/out";
    expectFailure(failure(), RunCheck::OutputFolderCreation, "",
                  "【图片保存到】文件夹 '" + output + "' 创建失败, 请重新选择一个文件夹");

    output = dir / "blocker";
    EXPECT_EQ(failure().check, RunCheck::OutputFolderCreation);

    output = dir.str();  // an existing folder
    EXPECT_TRUE(checkBeforeRun(doc, source, output, kPictureListMode).ok());
}

// With everything wrong at once, the failures come in the fixed order as each one is mended.
TEST_F(RunChecks, ChecksRunInOrder) {
    doc.background.kind = kPictureBackground;
    doc.pasteLayers.clear();
    doc.addWatermark(dir / "gone.png", 0, 0);
    doc.addSlice(200);
    source.clear();
    output.clear();

    const std::vector<std::pair<std::string, std::function<void()>>> steps = {
        {"请选择一张背景图片",
         [&] {
             doc.background.kind = kColourBackground;
             doc.background.szWidth.clear();
         }},
        {"请输入【背景层】宽度", [&] { doc.background.szWidth = "800"; }},
        {"请至少创建一个【贴图层】选区", [&] { doc.addPasteLayer(kAboveBackground, kStretch); }},
        {"贴图层#1 还没有创建选区", [&] { place(doc.pasteLayers[0]); }},
        {"水印层#2 的图片地址不存在", [&] { doc.deleteWatermarks({1}); }},
        {"横切片#3 的y坐标与 横切片#2 相同，请重新定位", [&] { doc.slices.back().y = 300; }},
        {"请选择【源图片文件夹】", [&] { source = dir / "empty"; }},
        {"【源图片文件夹】的地址不存在", [&] { fs::create_directory(source); }},
        {"【源图片文件夹】中没有找到任何可用的图片", [&] { source = dir / "src"; }},
        {"请选择【图片保存到】文件夹", [&] { output = dir / "out"; }},
    };
    for (const auto& [title, mend] : steps) {
        EXPECT_EQ(failure().title, title);
        mend();
    }
    EXPECT_TRUE(checkBeforeRun(doc, source, output, kPictureListMode).ok());
}

}  // namespace
}  // namespace plazor
