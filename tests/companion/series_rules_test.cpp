#include "companion/series_rules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "support/temp_dir.h"

namespace plazor::companion {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;
using testing::writeFile;

const std::string kMain = "plazor-window-1-1";
const std::string kNotFound =
    "没有找到标题栏内容为 \"Plazor图片排版工具 - 甲\" 的窗口。\n\n请检查【Plazor图片排版工具】是否已启动。";

TEST(BindTitleCandidate, TakesTheFirstMainWindowByClassAndTitlePrefix) {
    const std::vector<external::WindowIdentity> windows{
        {"CodeBlocksWindowsApp", "批量处理多个文件夹 - Plazor图片排版工具"},
        {"QWidget", "Plazor图片排版工具 - 别的"},
        {"CodeBlocksWindowsApp", "plazor图片排版工具 - 小写"},
        {"CodeBlocksWindowsApp", "Plazor图片排版工具 - 相册"},
        {"CodeBlocksWindowsApp", "Plazor图片排版工具 - 第二个"},
    };
    EXPECT_EQ(bindTitleCandidate(windows), "Plazor图片排版工具 - 相册");
    EXPECT_FALSE(bindTitleCandidate({windows[0], windows[1], windows[2]}));
}

TEST(SourceFolderRefusal, TheRootIsRefusedAndAnyFolderBelowItAccepted) {
    const std::optional<Notice> root = sourceFolderRefusal("/");
    ASSERT_TRUE(root);
    EXPECT_EQ(root->text, "暂不支持添加根目录：[/]，请选择下一级文件夹。");
    EXPECT_EQ(root->caption, "错误");
    EXPECT_EQ(root->icon, NoticeIcon::Error);
    EXPECT_FALSE(sourceFolderRefusal("/home"));
}

TEST(OutputInsideSource, IsDecidedOnWholeFolderNames) {
    EXPECT_TRUE(outputInsideSource("/photos", "/photos"));
    EXPECT_TRUE(outputInsideSource("/photos", "/photos/out"));
    EXPECT_TRUE(outputInsideSource("/photos/", "/photos/out/"));
    EXPECT_FALSE(outputInsideSource("/photos", "/photos_out"));
    // A folder of the same name elsewhere is not inside the source folder.
    EXPECT_FALSE(outputInsideSource("/photos", "/backup/photos/out"));
}

// A main window that answers the bind with `reply` and records what it was asked.
struct FakeLink {
    std::int32_t reply = 1;
    bool found = true;
    std::vector<std::string> calls;

    SeriesLink link() {
        return {[this](const std::string& title) -> std::optional<std::string> {
                    calls.push_back("find " + title);
                    return found ? std::optional<std::string>(kMain) : std::nullopt;
                },
                [this](const std::string& endpoint) {
                    calls.push_back("bind " + endpoint);
                    return reply;
                },
                [this](const std::string& endpoint) { calls.push_back("unbind " + endpoint); }};
    }
};

class PrepareSeries : public ::testing::Test {
  protected:
    PrepareSeries() { fs::create_directories(source); }

    SeriesStart prepare(SeriesInput input) { return prepareSeries(input, main.link()); }

    TempDir dir;
    const std::string source = dir / "photos";
    FakeLink main;
};

TEST_F(PrepareSeries, TheTitleIsCheckedFirstThenTheWindowThenTheBind) {
    EXPECT_EQ(prepare({"", "", ""}).refusal->text, "【绑定窗口标题】不能为空");
    EXPECT_TRUE(main.calls.empty());

    main.found = false;
    const SeriesStart missing = prepare({"Plazor图片排版工具 - 甲", "", ""});
    EXPECT_EQ(missing.refusal->text, kNotFound);
    EXPECT_EQ(missing.refusal->caption, "提示");
    EXPECT_EQ(missing.refusal->icon, NoticeIcon::Warning);

    // A refused bind is told before the empty source folder would be.
    main.found = true;
    main.reply = 3;
    main.calls.clear();
    const SeriesStart busy = prepare({"Plazor图片排版工具 - 甲", "", ""});
    EXPECT_EQ(busy.refusal->text, "【Plazor图片排版工具】当前正在处理图片，不接受当前绑定。");
    EXPECT_FALSE(busy.bound);
    EXPECT_EQ(main.calls, (std::vector<std::string>{"find Plazor图片排版工具 - 甲", "bind " + kMain}));
}

TEST_F(PrepareSeries, AFolderRefusalAfterTheBindUnbindsAgain) {
    const std::string title = "Plazor图片排版工具 - 甲";
    const std::pair<SeriesInput, std::string> cases[] = {
        {{title, "", dir / "out"}, "请选择【源图片文件夹】"},
        {{title, dir / "gone", dir / "out"}, "选择的【源图片文件夹】: " + dir / "gone" + " 不存在"},
        {{title, source, source + "/out"},
         "【处理后保存到】不能是【源图片文件夹】或【源图片文件夹】的子文件夹。\n\n请重新选择【处理后保存到】"
         "。"},
    };
    for (const auto& [input, text] : cases) {
        main.calls.clear();
        const SeriesStart start = prepare(input);
        ASSERT_TRUE(start.refusal) << text;
        EXPECT_EQ(start.refusal->text, text);
        EXPECT_EQ(start.refusal->icon, NoticeIcon::Warning);
        EXPECT_FALSE(start.bound);
        EXPECT_EQ(main.calls.back(), "unbind " + kMain);
    }
}

TEST_F(PrepareSeries, AMissingOutputFolderIsCreatedOneLevelDeepOnly) {
    const SeriesStart start = prepare({"Plazor图片排版工具 - 甲", source, dir / "out"});
    EXPECT_FALSE(start.refusal);
    EXPECT_TRUE(start.bound);
    EXPECT_EQ(start.endpoint, kMain);
    EXPECT_TRUE(fs::is_directory(dir / "out"));

    const std::string deep = dir / "a/b";
    const SeriesStart failed = prepare({"Plazor图片排版工具 - 甲", source, deep});
    ASSERT_TRUE(failed.refusal);
    EXPECT_EQ(failed.refusal->text, "创建文件夹 " + deep + " 失败，错误码：2");
    EXPECT_EQ(failed.refusal->caption, "错误");
    EXPECT_EQ(failed.refusal->icon, NoticeIcon::Error);
    EXPECT_EQ(main.calls.back(), "unbind " + kMain);
}

TEST_F(PrepareSeries, AnUnknownBindReplyGoesOnWithoutBinding) {
    main.reply = 9;
    const SeriesStart start = prepare({"Plazor图片排版工具 - 甲", source, dir / "out"});
    EXPECT_FALSE(start.refusal);
    EXPECT_FALSE(start.bound);

    main.calls.clear();
    prepare({"Plazor图片排版工具 - 甲", "", dir / "out"});
    EXPECT_EQ(main.calls.back(), "bind " + kMain);  // nothing to unbind
}

TEST(PictureFolders, OnlyFoldersWithPicturesOfTheirOwnBecomeTasks) {
    TempDir dir;
    writeFile(dir.path() / "src/a/one.JPG", "x");
    writeFile(dir.path() / "src/b/c/two.gif", "x");  // b holds only a deeper folder with a picture
    writeFile(dir.path() / "src/d/notes.txt", "x");
    writeFile(dir.path() / "src/.hidden/three.png", "x");
    writeFile(dir.path() / "src/top.png", "x");  // the source folder itself is never a task

    EXPECT_EQ(listPictureFolders(dir / "src", false).folders, std::vector<std::string>{dir / "src/a"});

    std::vector<std::string> all = listPictureFolders(dir / "src/", true).folders;
    std::ranges::sort(all);
    EXPECT_EQ(all, (std::vector<std::string>{dir / "src/a", dir / "src/b/c"}));
}

TEST(PictureFolders, FoldersGoInNameOrderLevelByLevel) {
    TempDir dir;
    // Created out of order; each folder's sub-folders come right after it, sorted as the source list.
    for (const char* folder : {"北京", "c9", "a2-z", "b", "a2/y", "c10", "A1", "a2/X", "a2"}) {
        writeFile(dir.path() / "src" / folder / "p.jpg", "x");
    }
    std::vector<std::string> expected;
    for (const char* folder : {"A1", "a2", "a2/X", "a2/y", "a2-z", "b", "c10", "c9", "北京"}) {
        expected.push_back(dir / "src/" + folder);
    }
    EXPECT_EQ(listPictureFolders(dir / "src", true).folders, expected);
    std::erase_if(expected,
                  [](const std::string& folder) { return folder.find("a2/") != std::string::npos; });
    EXPECT_EQ(listPictureFolders(dir / "src", false).folders, expected);
}

}  // namespace
}  // namespace plazor::companion
