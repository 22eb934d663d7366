#include "app/layout_rules.h"

#include <gtest/gtest.h>

namespace plazor {
namespace {

struct PasteRow {
    int screenHeight;
    PasteBlockGeometry expected;
};

TEST(PasteBlockGeometryTest, FollowsTheMaximisedHeightTable) {
    const PasteRow rows[] = {
        {600, {166, 95, 127, 129, 132}},   {825, {166, 95, 127, 129, 132}},  {826, {188, 117, 149, 151, 154}},
        {847, {188, 117, 149, 151, 154}},  {848, {210, 139, 171, 173, 176}}, {869, {210, 139, 171, 173, 176}},
        {870, {232, 161, 193, 195, 198}},  {871, {233, 162, 194, 196, 199}}, {900, {262, 191, 223, 225, 228}},
        {914, {276, 205, 237, 239, 242}},  {915, {254, 183, 215, 217, 220}}, {936, {254, 183, 215, 217, 220}},
        {937, {276, 205, 237, 239, 242}},  {958, {276, 205, 237, 239, 242}}, {959, {298, 227, 259, 261, 264}},
        {2160, {298, 227, 259, 261, 264}},
    };
    for (const PasteRow& row : rows) {
        EXPECT_EQ(pasteBlockGeometry(row.screenHeight), row.expected) << "height " << row.screenHeight;
    }
}

TEST(ColumnWidthsTest, StandardScrollBarsKeepTheDefaults) {
    for (int thickness : {0, 12, 16, 17}) {
        EXPECT_EQ(fittedColumnWidths(kPasteColumnWidths, thickness),
                  std::vector<int>(kPasteColumnWidths.begin(), kPasteColumnWidths.end()));
        EXPECT_EQ(fittedColumnWidths(kSliceColumnWidths, thickness), (std::vector<int>{41, 315}));
    }
}

TEST(ColumnWidthsTest, ThickScrollBarsTakeTheExcessInProportionRoundedUp) {
    // Thickness 18: every column gives up one pixel (any positive share rounds up to 1).
    EXPECT_EQ(fittedColumnWidths(kPasteColumnWidths, 18), (std::vector<int>{40, 42, 42, 42, 42, 61, 81}));
    // Thickness 40, excess 23 over 357: 41 -> ceil(2.64) = 3, 43 -> ceil(2.77) = 3, 62 -> ceil(3.99) = 4,
    // 82 -> ceil(5.28) = 6, 144 -> ceil(9.28) = 10.
    EXPECT_EQ(fittedColumnWidths(kPasteColumnWidths, 40), (std::vector<int>{38, 40, 40, 40, 40, 58, 76}));
    EXPECT_EQ(fittedColumnWidths(kWatermarkColumnWidths, 40), (std::vector<int>{38, 40, 40, 40, 40, 134}));
    // The slice list divides by its own sum, 356: 315 x 23 / 356 = 20.35 -> 21.
    EXPECT_EQ(fittedColumnWidths(kSliceColumnWidths, 40), (std::vector<int>{38, 294}));
}

TEST(StackBlocksTest, GapsOf16AndOf18BeforeTheStartButton) {
    const int heights[] = {63, 232, 135, 135, 96, 27};
    const PanelStack stack = stackBlocks(heights);
    EXPECT_EQ(stack.ys, (std::vector<int>{0, 79, 327, 478, 629, 743}));
    EXPECT_EQ(stack.height, 770);
    EXPECT_EQ(stackBlocks({}).height, 0);
}

TEST(PanelScrollTest, ScrollsOnlyWhenTheBlocksDoNotFit) {
    EXPECT_EQ(panelScroll(770, 770), PanelScroll{});
    EXPECT_EQ(panelScroll(900, 770), PanelScroll{});
    const PanelScroll scroll = panelScroll(500, 770);
    EXPECT_EQ(scroll.page, 500);
    EXPECT_EQ(scroll.maximum, 776);
    EXPECT_EQ(scroll.maxPosition(), 277);  // the last page shows 277..776

    EXPECT_EQ(clampScrollPosition(-5, scroll), 0);
    EXPECT_EQ(clampScrollPosition(400, scroll), 277);
    EXPECT_EQ(clampScrollPosition(100, PanelScroll{}), 0);
}

TEST(PanelScrollTest, WheelMovesFiftyPixelsWithinTheRange) {
    const PanelScroll scroll = panelScroll(500, 770);
    EXPECT_EQ(wheelScrollPosition(0, -120, scroll), 50);
    EXPECT_EQ(wheelScrollPosition(100, 120, scroll), 50);
    EXPECT_EQ(wheelScrollPosition(20, 120, scroll), 0);
    EXPECT_EQ(wheelScrollPosition(250, -120, scroll), 277);
    EXPECT_EQ(wheelScrollPosition(0, -120, PanelScroll{}), 0);
}

TEST(ContentLayoutTest, PanelWidensByTheScrollBarWhenTheBlocksDoNotFit) {
    const ContentLayout tight = contentLayout(1000, 700, 770, 17);
    EXPECT_TRUE(tight.panelScrollBar);
    EXPECT_EQ(tight.sidePanel, (Box{576, 7, 423, 693}));
    EXPECT_EQ(tight.canvasHost, (Box{1, 0, 570, 700}));

    const ContentLayout roomy = contentLayout(1000, 778, 770, 17);
    EXPECT_FALSE(roomy.panelScrollBar);
    EXPECT_EQ(roomy.sidePanel, (Box{594, 7, 406, 771}));
    EXPECT_EQ(roomy.canvasHost, (Box{1, 0, 588, 778}));

    EXPECT_TRUE(contentLayout(1000, 777, 770, 17).panelScrollBar);
}

TEST(WindowSizeTest, MinimumAndRestoreFromMaximised) {
    EXPECT_EQ(minimumWindowSize(22), (WindowSize{780, 522}));
    EXPECT_TRUE(shouldRestoreFromMaximised({700, 600}, {780, 522}, true));
    EXPECT_TRUE(shouldRestoreFromMaximised({900, 500}, {780, 522}, true));
    EXPECT_FALSE(shouldRestoreFromMaximised({700, 600}, {780, 522}, false));
    EXPECT_FALSE(shouldRestoreFromMaximised({780, 522}, {780, 522}, true));
}

TEST(StatusPartSpanTest, FixedRightEdgesAndALastPartToTheEdge) {
    const Span expected[] = {{0, 200}, {200, 400}, {400, 600}, {600, 660}, {660, 720}, {720, 1280}};
    for (int part = 0; part < kStatusPartCount; ++part)
        EXPECT_EQ(statusPartSpan(part, 1280), expected[part]);
    EXPECT_EQ(statusPartSpan(5, 700), (Span{720, 720}));
    EXPECT_EQ(statusPartSpan(6, 1280), Span{});
}

TEST(FlowRowTest, GrowingControlsPushTheRestAndTakeBackOnlyWhatHelps) {
    // A label (needs 36 of 37), a field, a list with 6 pixels to spare, and a box of fixed width.
    const RowControl designed[] = {
        {{10, 0, 37, 19}, 36}, {{48, 0, 46, 20}, 0}, {{100, 0, 56, 21}, 50}, {{170, 0, 26, 16}, 26}};
    std::vector<Box> boxes = flowRow(designed, 196);
    for (std::size_t i = 0; i < boxes.size(); ++i)
        EXPECT_EQ(boxes[i], designed[i].box);

    // The field grows by 20 and pushes the list and the box; the row would end 4 past 196, which the
    // list gives back.
    std::vector<RowControl> wider(std::begin(designed), std::end(designed));
    wider[1].neededWidth = 66;
    boxes = flowRow(wider, 196);
    EXPECT_EQ(boxes[0], designed[0].box);
    EXPECT_EQ(boxes[1], (Box{48, 0, 66, 20}));
    EXPECT_EQ(boxes[2], (Box{116, 0, 52, 21}));
    EXPECT_EQ(boxes[3], (Box{170, 0, 26, 16}));

    // Too wide to fit: the list gives all it can; the label's spare pixel would not move the field
    // (their designed gap is one pixel), so the label keeps it.
    wider[1].neededWidth = 76;
    boxes = flowRow(wider, 196);
    EXPECT_EQ(boxes[0], designed[0].box);
    EXPECT_EQ(boxes[2], (Box{126, 0, 50, 21}));
    EXPECT_EQ(boxes[3], (Box{178, 0, 26, 16}));
}

}  // namespace
}  // namespace plazor
