// plazor-batch's commands end to end, on templates and pictures made by the test.
#include "batch/commands.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>
#include <utility>

#include "support/file_size_limit.h"
#include "support/pictures.h"
#include "support/temp_dir.h"
#include "template/template_file.h"

namespace plazor::batch {
namespace {

using testing::TempDir;

struct Outcome {
    int code;
    std::string out, err;
};

Outcome run(const std::vector<std::string>& args) {
    const ParseResult parsed = parseCommandLine(args);
    EXPECT_TRUE(parsed.request) << parsed.error;
    std::ostringstream out, err;
    std::atomic<std::atomic<int>*> stop{nullptr};
    const int code = runRequest(*parsed.request, {out, err, false}, stop);
    EXPECT_EQ(stop.load(), nullptr);  // the flag is released when the run ends
    return {code, out.str(), err.str()};
}

std::string oneSlotTemplate(const TempDir& dir) {
    Document doc;
    PasteLayer& layer = doc.addPasteLayer(kAboveBackground, kStretch);
    layer.x = layer.y = 0;
    layer.width = layer.height = 100;
    const std::string path = dir / "t.dat";
    EXPECT_TRUE(saveTemplate(doc, path).ok());
    return path;
}

void writeJpeg(const std::string& path) {
    Wand wand = testing::makeFilled(20, 20, "#ff0000");
    MagickSetImageFormat(wand.get(), "JPEG");
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    ASSERT_EQ(MagickWriteImage(wand.get(), path.c_str()), MagickTrue);
}

TEST(BatchCommands, RenderWritesOnePicturePerBatch) {
    TempDir dir;
    const std::string t = oneSlotTemplate(dir);
    writeJpeg(dir / "src/a.jpg");
    writeJpeg(dir / "src/b.jpg");
    const Outcome o = run({"render", t, dir / "src", dir / "out", "--jobs", "2"});
    EXPECT_EQ(o.code, kExitOk) << o.err;
    EXPECT_NE(o.out.find("finished: 2 batches"), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(dir / "out/a.jpg"));
    EXPECT_TRUE(std::filesystem::exists(dir / "out/b.jpg"));
}

TEST(BatchCommands, FailedChecksPrintTheirMessageAndExitTwo) {
    TempDir dir;
    const std::string t = oneSlotTemplate(dir);
    std::filesystem::create_directories(dir / "empty");
    const Outcome o = run({"render", t, dir / "empty", dir / "out"});
    EXPECT_EQ(o.code, kExitChecks);
    EXPECT_NE(o.err.find("【源图片文件夹】中没有找到任何可用的图片"), std::string::npos) << o.err;
    EXPECT_FALSE(std::filesystem::exists(dir / "out"));

    const Outcome c = run({"check", t, dir / "missing", dir / "out"});
    EXPECT_EQ(c.code, kExitChecks);
    EXPECT_NE(c.err.find("【源图片文件夹】的地址不存在"), std::string::npos) << c.err;
}

// Writes that fail end the run with their own exit code and a count, not with "finished" alone.
TEST(BatchCommands, PicturesThatCouldNotBeWrittenExitFiveWithACount) {
    TempDir dir;
    const std::string t = oneSlotTemplate(dir);
    writeJpeg(dir / "src/a.jpg");
    for (const char* name : {"src/b.png", "src/c.png"}) {
        Wand noise = testing::noisePicture(40, 40);
        MagickSetImageFormat(noise.get(), "PNG");
        ASSERT_EQ(MagickWriteImage(noise.get(), (dir / name).c_str()), MagickTrue);
    }
    Outcome o;
    {
        const testing::FileSizeLimit limit(14 * 1024);  // a.jpg takes 8 KiB, the others 19 KiB
        o = run({"render", t, dir / "src", dir / "out"});
    }
    EXPECT_EQ(o.code, kExitUnwritten) << o.out << o.err;
    EXPECT_NE(o.out.find("2 of 3 pictures could not be written\n"), std::string::npos) << o.out;
    EXPECT_TRUE(std::filesystem::exists(dir / "out/a.jpg"));
    // The terminal shows a two-line entry as two lines, with no empty line after it and no "\r".
    const std::string entry = "写入文件 '" + (dir / "out/b.jpg") + "' 时发生错误:\n";
    const std::size_t at = o.err.find(entry);
    ASSERT_NE(at, std::string::npos) << o.err;
    const std::size_t end = o.err.find('\n', at + entry.size());
    ASSERT_NE(end, std::string::npos) << o.err;
    EXPECT_GT(end, at + entry.size()) << o.err;  // the reason
    EXPECT_NE(o.err.compare(end, 2, "\n\n"), 0) << o.err;
    EXPECT_EQ(o.err.find('\r'), std::string::npos) << o.err;
    EXPECT_NE(helpText().find("  5  render: the run ended, but some pictures"), std::string::npos);
}

// A background that is there but cannot be read: an info line on loading, a failed check before a run.
TEST(BatchCommands, UnreadableBackgroundIsReportedByTemplateAndCheck) {
    TempDir dir;
    testing::writeFile(dir / "bg.jpg", "\xFF\xD8\xFF\xE0 cut short");
    testing::writeFile(dir / "bg.dat", R"({"background_type":0,"background_path":")" + (dir / "bg.jpg") +
                                           R"(","pictures_show_select_area":1,"pictures_show_picture":1,
                           "picture_items":[{"x":0,"y":0,"width":3,"height":4,"layer_level":0,"overflow_style":0}],
                           "watermark_open":0,"watermark_show_select_area":1,"watermark_items":[],
                           "cutline_open":0,"cutline_html_open":0,"cutline_items":[],
                           "format":"JPG","quality":80})");
    writeJpeg(dir / "src/a.jpg");
    const std::string line = "背景图片 '" + (dir / "bg.jpg") + "' 不是一个有效的图片";
    const Outcome shown = run({"template", dir / "bg.dat"});
    EXPECT_EQ(shown.code, kExitOk);
    EXPECT_NE(shown.err.find(line + "\n"), std::string::npos) << shown.err;
    const Outcome checked = run({"check", dir / "bg.dat", dir / "src", dir / "out"});
    EXPECT_EQ(checked.code, kExitChecks);
    EXPECT_NE(checked.err.find("背景图片无法使用\n" + line + "，请重新选择"), std::string::npos)
        << checked.err;
    EXPECT_EQ(run({"render", dir / "bg.dat", dir / "src", dir / "out"}).code, kExitChecks);
}

// Every entry below `root` with its size and modification time, so that any change shows.
std::map<std::string, std::pair<std::uintmax_t, std::filesystem::file_time_type>> snapshot(
    const TempDir& root) {
    std::map<std::string, std::pair<std::uintmax_t, std::filesystem::file_time_type>> entries;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root.path())) {
        entries[entry.path().string()] = {entry.is_regular_file() ? entry.file_size() : 0,
                                          entry.last_write_time()};
    }
    return entries;
}

TEST(BatchCommands, CheckLeavesTheDiskAsItWasAndRenderThenMakesTheOutputFolder) {
    TempDir dir;
    const std::string t = oneSlotTemplate(dir);
    writeJpeg(dir / "src/a.jpg");
    writeJpeg(dir / "src/b.jpg");
    testing::writeFile(dir / "blocker", "1");
    const auto before = snapshot(dir);

    const Outcome ready = run({"check", t, dir / "src", dir / "out/nested"});
    EXPECT_EQ(ready.code, kExitOk) << ready.err;
    EXPECT_NE(ready.out.find("ready: 2 pictures, 2 batches"), std::string::npos) << ready.out;
    // A folder that cannot be made is found without trying to make it.
    const Outcome blocked = run({"check", t, dir / "src", dir / "blocker/out"});
    EXPECT_EQ(blocked.code, kExitChecks);
    EXPECT_NE(blocked.err.find("创建失败"), std::string::npos) << blocked.err;
    EXPECT_EQ(snapshot(dir), before);

    EXPECT_EQ(run({"render", t, dir / "src", dir / "out/nested"}).code, kExitOk);
    EXPECT_TRUE(std::filesystem::exists(dir / "out/nested/a.jpg"));
}

TEST(BatchCommands, UnreadableTemplateExitsOne) {
    TempDir dir;
    testing::writeFile(dir / "bad.dat", "not json");
    const Outcome o = run({"template", dir / "bad.dat"});
    EXPECT_EQ(o.code, kExitTemplate);
    EXPECT_NE(o.err.find("文件格式不对！"), std::string::npos);
    EXPECT_EQ(run({"check", dir / "none.dat"}).code, kExitTemplate);
}

TEST(BatchCommands, TemplateWriteNormalisesAHandWrittenFile) {
    TempDir dir;
    testing::writeFile(dir / "hand.dat",
                       R"({"background_type":1,"width":"640","height":"480","background_color":"#ffffff",
                           "pictures_show_select_area":1,"pictures_show_picture":1,
                           "picture_items":[{"x":1,"y":2,"width":3,"height":4,"layer_level":0,"overflow_style":0}],
                           "watermark_open":0,"watermark_show_select_area":1,"watermark_items":[],
                           "cutline_open":0,"cutline_html_open":0,"cutline_items":[],
                           "format":"JPG","quality":80})");
    const Outcome o = run({"template", dir / "hand.dat", "--write", dir / "clean.dat"});
    EXPECT_EQ(o.code, kExitOk) << o.err;
    EXPECT_NE(o.out.find("640 x 480"), std::string::npos);
    EXPECT_NE(o.out.find("贴图层#1: 1,2 3 x 4"), std::string::npos) << o.out;
    Document reread;
    ASSERT_TRUE(loadTemplate(reread, dir / "clean.dat").ok());
    EXPECT_EQ(testing::readFile(dir / "clean.dat"), serialiseTemplate(reread).value());
    EXPECT_EQ(reread.settings.quality, 80);
}

}  // namespace
}  // namespace plazor::batch
