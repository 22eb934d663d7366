// Saving and opening template files on disk, and the test whether the template needs saving.
#include <cjson/cJSON.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "support/temp_dir.h"
#include "template/template_file.h"

namespace plazor {
namespace {

using testing::readFile;
using testing::TempDir;
using testing::writeFile;

// A template that uses every kind of member, with paths outside GBK and with a byte 5C inside a
// Chinese character, and a watermark whose picture does not exist.
Document richDocument() {
    Document doc;
    doc.background.dpi = 300;
    doc.setBackgroundUnit(kUnitMillimetres, 300);
    doc.setBackgroundSizeFromTexts("100", "50.5", 300);
    doc.background.colourChoice = kColourCustom;
    doc.background.colour = 0x00ff7f;
    PasteLayer& layer = doc.addPasteLayer(kBelowBackground, kCustom);
    layer.x = 5;
    layer.y = 6;
    layer.width = 70;
    layer.height = 80;
    layer.customize = Customize{0, 33, kPosCentre, 0, kPosValue, -9};
    doc.addPasteLayer(kAboveBackground, kCropCentre);
    doc.addWatermark("/不存在/乗-\xF0\x9F\x98\x80.png", -3, 4);
    doc.addSlice(-1);
    doc.addSlice(250);
    doc.settings.format = kFormatPng;
    doc.settings.png8 = true;
    doc.settings.colourCount = 16;
    return doc;
}

TEST(TemplateFile, SaveAndReopenGiveTheSameBytesAndNothingToSave) {
    TempDir dir;
    const std::string path = dir / "我的模版.dat";
    Document doc = richDocument();
    EXPECT_TRUE(isTemplateModified(doc));  // layers and no path yet

    const Outcome<void, SaveFailure> saved = saveTemplate(doc, path);
    ASSERT_TRUE(saved.ok());
    EXPECT_EQ(doc.currentPath, path);
    EXPECT_EQ(doc.titleName(), "我的模版.dat");
    EXPECT_FALSE(isTemplateModified(doc));
    const std::string bytes = readFile(path);
    EXPECT_EQ(bytes, serialiseTemplate(doc).value());
    EXPECT_NE(bytes.back(), '\n');

    Document reopened;
    const LoadOutcome loaded = loadTemplate(reopened, path);
    ASSERT_TRUE(loaded.ok()) << loaded.error().text;
    EXPECT_EQ(reopened.currentPath, path);
    EXPECT_EQ(serialiseTemplate(reopened).value(), bytes);
    EXPECT_FALSE(isTemplateModified(reopened));
    // The watermark whose picture is missing is reported, kept, and written back as it was.
    EXPECT_EQ(reopened.watermarks.at(0).path, "/不存在/乗-\xF0\x9F\x98\x80.png");
    EXPECT_EQ(loaded->infoLines.size(), 1u);

    ASSERT_TRUE(saveTemplate(reopened, dir / "again.dat").ok());
    EXPECT_EQ(readFile(dir / "again.dat"), bytes);
}

TEST(TemplateFile, ModifiedFollowsTheFileOnDisk) {
    TempDir dir;
    Document doc = richDocument();
    ASSERT_TRUE(saveTemplate(doc, dir / "t.dat").ok());

    doc.pasteLayers[1].x = 12;
    EXPECT_TRUE(isTemplateModified(doc));
    doc.pasteLayers[1].x = -1;
    EXPECT_FALSE(isTemplateModified(doc));

    std::filesystem::remove(dir / "t.dat");
    EXPECT_TRUE(isTemplateModified(doc));

    // Without paste layers nothing needs saving, whatever else changed.
    doc.deletePasteLayers({0, 1});
    doc.background.width = 5;
    EXPECT_FALSE(isTemplateModified(doc));
}

TEST(TemplateFile, AFailedRenameLeavesWhatWasThereAndNoTemporaryFile) {
    TempDir dir;
    // The target is a folder with something in it: the new file cannot be renamed over it.
    const std::string target = dir / "busy.dat";
    writeFile(std::filesystem::path(target) / "inside.txt", "old");
    Document doc = richDocument();
    doc.currentPath = dir / "previous.dat";

    const Outcome<void, SaveFailure> result = saveTemplate(doc, target);
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error().text, "写入文件时出错");
    ASSERT_EQ(result.error().infoLines.size(), 2u);
    EXPECT_EQ(result.error().infoLines[0], InfoLine("保存模版文件 '" + target + "' 时发生错误:"));
    EXPECT_FALSE(result.error().infoLines[1].text.empty());
    EXPECT_EQ(doc.currentPath, dir / "previous.dat");
    EXPECT_EQ(readFile(std::filesystem::path(target) / "inside.txt"), "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(TemplateFile, AnUnwritableFolderLeavesTheOldFile) {
    if (geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
    TempDir dir;
    const std::filesystem::path folder = dir.path() / "locked";
    writeFile(folder / "t.dat", "old bytes");
    std::filesystem::permissions(folder,
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    Document doc = richDocument();

    const Outcome<void, SaveFailure> result = saveTemplate(doc, (folder / "t.dat").string());
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error().text, "写入文件时出错，文件句柄打开出错");
    EXPECT_EQ(result.error().infoLines.at(0),
              InfoLine("保存模版文件 '" + (folder / "t.dat").string() + "' 时发生错误:"));
    EXPECT_EQ(readFile(folder / "t.dat"), "old bytes");
    EXPECT_TRUE(doc.currentPath.empty());
}

// While it lives, cJSON's allocations succeed `budget` times and then fail.
class CJsonAllocationBudget {
  public:
    explicit CJsonAllocationBudget(int budget) {
        left_ = budget;
        cJSON_Hooks hooks{&allocate, &std::free};
        cJSON_InitHooks(&hooks);
    }
    ~CJsonAllocationBudget() { cJSON_InitHooks(nullptr); }
    CJsonAllocationBudget(const CJsonAllocationBudget&) = delete;
    CJsonAllocationBudget& operator=(const CJsonAllocationBudget&) = delete;

  private:
    static void* allocate(std::size_t size) {
        if (left_ <= 0) return nullptr;
        --left_;
        return std::malloc(size);
    }
    static inline int left_ = 0;
};

// Wherever cJSON runs out of memory, the writer gives the whole text or a failure, never a text with
// members left out, and a save that fails so keeps the previous file.
TEST(TemplateFile, AnAllocationFailureGivesNoShortenedTextAndKeepsThePreviousFile) {
    TempDir dir;
    const std::string path = dir / "t.dat";
    Document doc = richDocument();
    ASSERT_TRUE(saveTemplate(doc, path).ok());
    const std::string previous = readFile(path);
    doc.addSlice(400);
    const std::string full = serialiseTemplate(doc).value();

    int enough = 0;
    for (;; ++enough) {
        ASSERT_LT(enough, 10000);
        const Outcome<std::string> text = [&] {
            const CJsonAllocationBudget budget(enough);
            return serialiseTemplate(doc);
        }();
        if (text.ok()) {
            EXPECT_EQ(*text, full);
            break;
        }
        EXPECT_EQ(text.error(), kOutOfMemoryText);
    }
    EXPECT_GT(enough, 20);  // every member costs allocations: the failures above were met inside the tree

    for (const int budget : {0, enough / 2, enough - 1}) {
        const Outcome<void, SaveFailure> saved = [&] {
            const CJsonAllocationBudget limit(budget);
            return saveTemplate(doc, path);
        }();
        ASSERT_FALSE(saved.ok()) << budget;
        EXPECT_EQ(saved.error().text, kWriteFailedText);
        EXPECT_EQ(saved.error().infoLines, (std::vector<InfoLine>{"保存模版文件 '" + path + "' 时发生错误:",
                                                                  InfoLine(kOutOfMemoryText)}));
        EXPECT_EQ(readFile(path), previous);
    }
}

TEST(TemplateFile, DatExtensionIsAddedUnlessPresentInAnyCase) {
    EXPECT_EQ(ensureDatExtension("/t/a"), "/t/a.dat");
    EXPECT_EQ(ensureDatExtension("/t/a.dat"), "/t/a.dat");
    EXPECT_EQ(ensureDatExtension("/t/a.DaT"), "/t/a.DaT");
    EXPECT_EQ(ensureDatExtension("/t/a.dat.txt"), "/t/a.dat.txt.dat");
    EXPECT_EQ(ensureDatExtension("/t/模版"), "/t/模版.dat");
    EXPECT_EQ(ensureDatExtension("at"), "at.dat");
}

}  // namespace
}  // namespace plazor
