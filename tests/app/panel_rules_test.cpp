#include "app/panel_rules.h"
#include "app/command_ids.h"
#include "app/list_rows.h"

#include <gtest/gtest.h>

namespace plazor {
namespace {

TEST(SwitchRulesTest, CaptionCheckBoxesEnableTheirBlocks) {
    EXPECT_EQ(switchRules(true, true, true), (SwitchRules{true, false, true, true}));
    // Without pictures the areas must show, so their check box is forced on and locked.
    EXPECT_EQ(switchRules(false, true, true), (SwitchRules{false, true, true, true}));
    EXPECT_EQ(switchRules(true, false, true), (SwitchRules{true, false, false, true}));
    EXPECT_EQ(switchRules(true, true, false), (SwitchRules{true, false, true, false}));
}

TEST(OutputVisibilityTest, FormatTextDecidesAndPng8ShowsTheColourCount) {
    EXPECT_EQ(outputVisibility("JPG", false), (OutputVisibility{true, false, false}));
    EXPECT_EQ(outputVisibility("jpg", true), (OutputVisibility{true, false, false}));
    EXPECT_EQ(outputVisibility("PNG", false), (OutputVisibility{false, true, false}));
    EXPECT_EQ(outputVisibility("PNG", true), (OutputVisibility{false, true, true}));
    EXPECT_EQ(outputVisibility("JPEG", false), (OutputVisibility{false, true, false}));
}

TEST(PanelTextsTest, QualityGradesAndColourCounts) {
    EXPECT_EQ(qualityText(100), "100(高)");
    EXPECT_EQ(qualityText(90), "90(高)");
    EXPECT_EQ(qualityText(89), "89(中)");
    EXPECT_EQ(qualityText(60), "60(中)");
    EXPECT_EQ(qualityText(59), "59(低)");
    EXPECT_EQ(qualityText(10), "10(低)");

    EXPECT_EQ(colourCountIndex(2), 0);
    EXPECT_EQ(colourCountIndex(64), 5);
    EXPECT_EQ(colourCountIndex(256), 7);
    EXPECT_EQ(colourCountIndex(100), 7);
    EXPECT_EQ(colourCountAt(3), 16);
    EXPECT_EQ(colourCountAt(-1), 2);
    EXPECT_EQ(colourCountAt(99), 256);

    EXPECT_FALSE(swatchEnabled(0));
    EXPECT_FALSE(swatchEnabled(1));
    EXPECT_TRUE(swatchEnabled(2));
}

TEST(ContextMenuRulesTest, ItemsActingOnTheSelectionNeedOne) {
    for (int id : {cmd::kPasteInsert, cmd::kPasteEdit, cmd::kPasteCopy, cmd::kPasteDelete,
                   cmd::kSelectedLevelAbove, cmd::kSelectedLevelBelow, cmd::kSelectedStyleFirst,
                   cmd::kSelectedStyleLast, cmd::kWatermarkInsert, cmd::kWatermarkEdit,
                   cmd::kWatermarkChangePicture, cmd::kWatermarkDelete, cmd::kSliceEdit, cmd::kSliceDelete}) {
        EXPECT_TRUE(contextItemNeedsSelection(id)) << id;
    }
    for (int id :
         {cmd::kPasteNew, cmd::kPasteMultiGrid, cmd::kPasteHeart, cmd::kWatermarkNew, cmd::kSliceNew}) {
        EXPECT_FALSE(contextItemNeedsSelection(id)) << id;
    }
}

TEST(ContextMenuRulesTest, SharedValueOfTheSelection) {
    EXPECT_EQ(sharedValue(std::vector<unsigned>{}), std::nullopt);
    EXPECT_EQ(sharedValue(std::vector<unsigned>{4, 4, 4}), 4u);
    EXPECT_EQ(sharedValue(std::vector<unsigned>{1, 0}), std::nullopt);
}

TEST(ListRowsTest, UnplacedLayersShowNumberAndEmptyGeometry) {
    PasteLayer paste;
    paste.number = 3;
    paste.level = kBelowBackground;
    paste.overflowStyle = kScaleToFit;
    EXPECT_EQ(pasteRowTexts(paste),
              (std::vector<std::string>{"3", "", "", "", "", "背景下方", "等比例缩放"}));
    paste.x = 0;
    paste.y = -4;
    paste.width = 120;
    paste.height = 80;
    paste.overflowStyle = 9;
    EXPECT_EQ(pasteRowTexts(paste), (std::vector<std::string>{"3", "0", "-4", "120", "80", "背景下方", ""}));
    EXPECT_EQ(insertedPasteRowTexts(paste), (std::vector<std::string>{"3", "", "", "", "", "背景下方", ""}));

    WatermarkLayer mark;
    mark.number = 1;
    mark.x = -1;
    mark.path = "/p/水印.png";
    EXPECT_EQ(watermarkRowTexts(mark), (std::vector<std::string>{"1", "", "", "", "", ""}));
    mark.x = 5;
    mark.y = 6;
    mark.width = 7;
    mark.height = 8;
    EXPECT_EQ(watermarkRowTexts(mark), (std::vector<std::string>{"1", "5", "6", "7", "8", "/p/水印.png"}));

    Slice slice;
    slice.number = 2;
    EXPECT_EQ(sliceRowTexts(slice), (std::vector<std::string>{"2", ""}));
    slice.y = 0;
    EXPECT_EQ(sliceRowTexts(slice), (std::vector<std::string>{"2", "0"}));
}

}  // namespace
}  // namespace plazor
