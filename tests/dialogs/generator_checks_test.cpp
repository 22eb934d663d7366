// The generators' plain part: the checks of both dialogs in order, the grid's cells, the heart's
// sizes, size text, origin and cells.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <utility>

#include "dialogs/grid_generator.h"
#include "dialogs/heart_generator.h"

namespace plazor {
namespace {

constexpr int kBackgroundWidth = 800;
constexpr int kBackgroundHeight = 600;

GridTexts validGrid() {
    return {"0", "0", "800", "600", "0", "4", "2", "2"};
}

TEST(GridChecks, ReportTheFirstFailureInOrder) {
    using enum GridField;
    const struct {
        GridTexts texts;
        GridField focus;
        const char* message;
    } cases[] = {
        {{"", "", "", "", "", "", "", ""}, X, "请输入x坐标"},
        {{"-1", "", "", "", "", "", "", ""}, X, "x坐标不能小于 0"},
        {{"800", "", "", "", "", "", "", ""}, X, "x坐标不能大于或等于【背景层】宽度：800"},
        {{"0", "", "", "", "", "", "", ""}, Y, "请输入y坐标"},
        {{"0", "-3", "", "", "", "", "", ""}, Y, "y坐标不能小于 0"},
        {{"0", "600", "", "", "", "", "", ""}, Y, "y坐标不能大于或等于【背景层】高度：600"},
        {{"0", "0", "", "", "", "", "", ""}, TotalWidth, "请输入总宽度"},
        {{"0", "0", "4", "", "", "", "", ""}, TotalWidth, "总宽度不能小于 5"},
        {{"0", "0", "5", "", "", "", "", ""}, TotalHeight, "请输入总高度"},
        {{"0", "0", "5", "4", "", "", "", ""}, TotalHeight, "总高度不能小于 5"},
        {{"0", "0", "5", "5", "", "", "", ""}, OuterMargin, "请输入外边距"},
        {{"0", "0", "5", "5", "-1", "", "", ""}, OuterMargin, "外边距不能小于 0"},
        {{"0", "0", "5", "5", "0", "", "", ""}, InnerSpacing, "请输入内边距"},
        {{"0", "0", "5", "5", "0", "-1", "", ""}, InnerSpacing, "内边距不能小于 0"},
        {{"0", "0", "5", "5", "0", "0", "", ""}, Rows, "请输入行数"},
        {{"0", "0", "5", "5", "0", "0", "0", ""}, Rows, "行数不能小于 1"},
        {{"0", "0", "5", "5", "0", "0", "1", ""}, Columns, "请输入列数"},
        {{"0", "0", "5", "5", "0", "0", "1", "-2"}, Columns, "列数不能小于 1"},
    };
    for (const auto& c : cases) {
        const GridCheck check = checkGridTexts(c.texts, kBackgroundWidth, kBackgroundHeight);
        ASSERT_TRUE(check.failure) << c.message;
        EXPECT_EQ(*check.failure, (GeneratorFailure<GridField>{c.focus, c.message}));
    }
}

TEST(GridChecks, BlockMustFitAndLeaveAPixelPerCell) {
    GridTexts texts = validGrid();
    texts.x = "10";
    // An oversized width is first cut to the background, so x + background width is reported.
    texts.totalWidth = "2000";
    GridCheck check = checkGridTexts(texts, kBackgroundWidth, kBackgroundHeight);
    EXPECT_EQ(check.clampedWidth, 800);
    EXPECT_FALSE(check.clampedHeight);
    ASSERT_TRUE(check.failure);
    EXPECT_EQ(check.failure->focus, GridField::None);
    EXPECT_EQ(check.failure->message,
              "x坐标  +  总宽度  >  【背景层】宽度\n﹣﹣﹣﹣﹣﹣﹣﹣　   ﹣﹣﹣﹣﹣﹣﹣\n　  　810　　  "
              "　　　　　800\n\n"
              "提示：x坐标或总宽度需要设置小一些。");

    texts = validGrid();
    texts.y = "1";
    check = checkGridTexts(texts, kBackgroundWidth, kBackgroundHeight);
    ASSERT_TRUE(check.failure);
    EXPECT_EQ(check.failure->message,
              "y坐标  +  总高度  >  【背景层】高度\n﹣﹣﹣﹣﹣﹣﹣﹣　   ﹣﹣﹣﹣﹣﹣﹣\n　  　601　　  "
              "　　　　　600\n\n"
              "提示：y坐标或总高度需要设置小一些。");

    // Free width 100 - 2 x 10 - 4 x 2 = 72 for 3 columns.
    texts = {"0", "0", "100", "100", "10", "4", "1", "3"};
    EXPECT_FALSE(checkGridTexts(texts, kBackgroundWidth, kBackgroundHeight).failure);
    texts.innerSpacing = "35";  // 10 pixels left for 3 columns
    EXPECT_FALSE(checkGridTexts(texts, kBackgroundWidth, kBackgroundHeight).failure);
    texts.innerSpacing = "40";  // none left
    check = checkGridTexts(texts, kBackgroundWidth, kBackgroundHeight);
    ASSERT_TRUE(check.failure);
    EXPECT_EQ(check.failure->message,
              "(总宽度 - 外边距 * 2 - 内边距 * (列数 - 1))的值不能小于列数: 3，而当前值为: 0\n\n"
              "提示：\n1.【外边距】或【内边距】设置小一些。\n2. 或者将【总宽度】设置大一些。\n3. "
              "或者将列数的值设置小一些。");

    texts = {"0", "0", "100", "10", "0", "3", "3", "1"};  // free height 10 - 6 = 4 for 3 rows: fine
    EXPECT_FALSE(checkGridTexts(texts, kBackgroundWidth, kBackgroundHeight).failure);
    texts.rows = "4";  // 10 - 9 = 1 for 4 rows
    check = checkGridTexts(texts, kBackgroundWidth, kBackgroundHeight);
    ASSERT_TRUE(check.failure);
    EXPECT_EQ(check.failure->message,
              "(总高度 - 外边距 * 2 - 内边距 * (行数- 1))的值不能小于行数: 4，而当前值为：1\n\n"
              "提示：\n1.【外边距】或【内边距】设置小一些。\n2. 或者将【总高度】设置大一些。\n3. "
              "或者将行数的值设置小一些。");
}

TEST(GridChecks, HugeSpacingIsRefusedInsteadOfOverflowing) {
    const GridTexts texts{"0", "0", "800", "600", "0", "9999999", "1", "9999999"};
    const GridCheck check = checkGridTexts(texts, kBackgroundWidth, kBackgroundHeight);
    ASSERT_TRUE(check.failure);
    EXPECT_NE(check.failure->message.find("不能小于列数: 9999999"), std::string::npos);
}

TEST(GridCells, RowMajorCellsLeaveTheRemainderEmpty) {
    const GridCheck check =
        checkGridTexts({"5", "7", "100", "50", "0", "4", "2", "3"}, kBackgroundWidth, kBackgroundHeight);
    ASSERT_FALSE(check.failure);
    EXPECT_EQ(check.request, (GridRequest{5, 7, 100, 50, 0, 4, 2, 3}));
    // Free width 92 gives 30-pixel cells at x + 0, 34, 68; free height 46 gives 23-pixel rows.
    EXPECT_EQ(gridCells(check.request), (std::vector<CellRect>{{5, 7, 30, 23},
                                                               {39, 7, 30, 23},
                                                               {73, 7, 30, 23},
                                                               {5, 34, 30, 23},
                                                               {39, 34, 30, 23},
                                                               {73, 34, 30, 23}}));

    // The outer margin moves every cell in; a free width equal to the columns gives 1-pixel cells.
    const GridRequest tight{0, 0, 27, 9, 2, 10, 1, 3};
    EXPECT_EQ(gridFreeExtent(27, 2, 10, 3), 3);
    EXPECT_EQ(gridCells(tight), (std::vector<CellRect>{{2, 2, 1, 5}, {13, 2, 1, 5}, {24, 2, 1, 5}}));
}

HeartTexts defaultHeart() {
    HeartTexts t;
    t.fillLeft = t.fillTop = t.fillRight = t.fillBottom = "32";
    t.smallSize = "96";
    t.spacing = "6";
    return t;
}

HeartTexts placedHeart(int horizontalAlign, std::string horizontalMargin, int verticalAlign,
                       std::string verticalMargin) {
    HeartTexts t = defaultHeart();
    t.placement = HeartPlacement::OnBackground;
    t.horizontalAlign = horizontalAlign;
    t.horizontalMargin = std::move(horizontalMargin);
    t.verticalAlign = verticalAlign;
    t.verticalMargin = std::move(verticalMargin);
    return t;
}

TEST(HeartChecks, ReportTheFirstFailureInOrder) {
    using enum HeartField;
    const auto fills = [](const char* l, const char* t, const char* r, const char* b) {
        HeartTexts texts = defaultHeart();
        texts.fillLeft = l;
        texts.fillTop = t;
        texts.fillRight = r;
        texts.fillBottom = b;
        return texts;
    };
    const auto sizes = [](HeartTexts texts, const char* small, const char* spacing) {
        texts.smallSize = small;
        texts.spacing = spacing;
        return texts;
    };
    const struct {
        HeartTexts texts;
        HeartField focus;
        const char* message;
    } cases[] = {
        // Every empty fill is reported before any negative one.
        {fills("-1", "", "", ""), FillTop, "背景填充 - 【上】不能为空"},
        {fills("", "1", "1", "1"), FillLeft, "背景填充 - 【左】不能为空"},
        {fills("1", "1", "", ""), FillRight, "背景填充 - 【右】不能为空"},
        {fills("1", "1", "1", ""), FillBottom, "背景填充 - 【下】不能为空"},
        {fills("1", "-1", "-1", "1"), FillTop, "背景填充 - 【上】不能小于0"},
        {fills("-2", "1", "1", "1"), FillLeft, "背景填充 - 【左】不能小于0"},
        {fills("1", "1", "-1", "1"), FillRight, "背景填充 - 【右】不能小于0"},
        {fills("1", "1", "1", "-1"), FillBottom, "背景填充 - 【下】不能小于0"},
        {placedHeart(kHeartAlignLeft, "", kHeartAlignTop, ""), HorizontalMargin,
         "水平对齐 - 【边距】不能为空"},
        {placedHeart(kHeartAlignRight, "-1", kHeartAlignTop, ""), HorizontalMargin,
         "水平对齐 - 【边距】不能小于0"},
        {placedHeart(kHeartAlignLeft, "0", kHeartAlignBottom, ""), VerticalMargin,
         "垂直对齐 - 【边距】不能为空"},
        {placedHeart(kHeartAlignCentreX, "", kHeartAlignTop, "-1"), VerticalMargin,
         "垂直对齐 - 【边距】不能小于0"},
        {sizes(fills("1", "1", "1", "1"), "", ""), SmallSize, "小图尺寸不能为空"},
        {sizes(defaultHeart(), "0", ""), SmallSize, "小图尺寸不能小于1"},
        {sizes(defaultHeart(), "1", ""), Spacing, "图片间距不能为空"},
        {sizes(defaultHeart(), "1", "-1"), Spacing, "图片间距不能小于0"},
    };
    for (const auto& c : cases) {
        const HeartCheck check = checkHeartTexts(c.texts, kBackgroundWidth, kBackgroundHeight);
        ASSERT_TRUE(check.failure) << c.message;
        EXPECT_EQ(*check.failure, (GeneratorFailure<HeartField>{c.focus, c.message}));
    }
}

TEST(HeartChecks, PlacedHeartMustFitButAResizedOneNeverIsChecked) {
    // The default heart is 708 x 606; centred placement ignores the margins' texts.
    HeartTexts texts = placedHeart(kHeartAlignCentreX, "junk", kHeartAlignCentreY, "-5");
    HeartCheck check = checkHeartTexts(texts, 708, 606);
    ASSERT_FALSE(check.failure);
    EXPECT_EQ(check.request.horizontalMargin, 0);
    EXPECT_EQ(check.request.verticalMargin, 0);

    // An exact fit with the margin is accepted; one pixel less is refused.
    texts = placedHeart(kHeartAlignRight, "12", kHeartAlignBottom, "4");
    EXPECT_FALSE(checkHeartTexts(texts, 720, 610).failure);
    check = checkHeartTexts(texts, 719, 610);
    ASSERT_TRUE(check.failure);
    EXPECT_EQ(check.failure->focus, HeartField::None);
    EXPECT_EQ(check.failure->message,
              "需要的【背景层】宽度  >  当前【背景层】宽度\n﹣﹣﹣﹣﹣﹣﹣﹣﹣﹣　   "
              "﹣﹣﹣﹣﹣﹣﹣﹣﹣\n　　  　720　　  　　　　　　　719\n\n"
              "提示：可以将相关参数设置小一些或者先将【背景层】设置大一些。");
    check = checkHeartTexts(texts, 720, 609);
    ASSERT_TRUE(check.failure);
    EXPECT_EQ(check.failure->message,
              "需要的【背景层】高度  >  当前【背景层】高度\n﹣﹣﹣﹣﹣﹣﹣﹣﹣﹣　   "
              "﹣﹣﹣﹣﹣﹣﹣﹣﹣\n　　  　610　　  　　　　　　　609\n\n"
              "提示：可以将相关参数设置小一些或者先将【背景层】设置大一些。");

    check = checkHeartTexts(defaultHeart(), 10, 10);
    ASSERT_FALSE(check.failure);
    EXPECT_EQ(check.request,
              (HeartRequest{HeartPlacement::ResizeBackground, 32, 32, 32, 32, kHeartAlignCentreX, 0,
                            kHeartAlignCentreY, 0, kHeartAllSmall, 96, 6}));
}

TEST(HeartSizes, BothStylesAndTheSizeText) {
    EXPECT_EQ(heartSize(kHeartAllSmall, 96, 6), (HeartSize{708, 606}));
    EXPECT_EQ(heartBigSize(96, 6), 239);
    EXPECT_EQ(heartSize(kHeartBigMiddle, 96, 6), (HeartSize{933, 790}));

    HeartTexts texts = defaultHeart();
    EXPECT_EQ(heartSizeText(texts), "心型图尺寸：708 x 606, 需要的背景层尺寸: 772 x 670");
    texts.fillRight = "-1";
    EXPECT_EQ(heartSizeText(texts), "");
    texts = defaultHeart();
    texts.smallSize = "0";
    EXPECT_EQ(heartSizeText(texts), "");

    // Placed: a margin counts unless its direction is centred, where its text is not needed.
    texts = placedHeart(kHeartAlignLeft, "10", kHeartAlignCentreY, "");
    EXPECT_EQ(heartSizeText(texts), "心型图尺寸：708 x 606, 需要的背景层尺寸: 718 x 606");
    texts.verticalAlign = kHeartAlignTop;
    EXPECT_EQ(heartSizeText(texts), "");
    texts.verticalMargin = "20";
    texts.style = kHeartBigMiddle;
    EXPECT_EQ(heartSizeText(texts), "心型图尺寸：933 x 790, 需要的背景层尺寸: 943 x 810");
}

TEST(HeartPlans, OriginForEachAlignmentAndTheResizedBackground) {
    HeartRequest request = checkHeartTexts(defaultHeart(), 1, 1).request;
    EXPECT_EQ(heartPlan(request, 1, 1), (HeartPlan{32, 32, HeartSize{772, 670}}));

    request.placement = HeartPlacement::OnBackground;
    request.horizontalMargin = 10;
    request.verticalMargin = 20;
    const struct {
        int horizontal, vertical, x, y;
    } cases[] = {
        {kHeartAlignLeft, kHeartAlignTop, 10, 20},
        {kHeartAlignRight, kHeartAlignBottom, 1000 - 708 - 10, 700 - 606 - 20},
        {kHeartAlignCentreX, kHeartAlignCentreY, 146, 47},  // (1000 - 708) / 2, (700 - 606) / 2
    };
    for (const auto& c : cases) {
        request.horizontalAlign = c.horizontal;
        request.verticalAlign = c.vertical;
        EXPECT_EQ(heartPlan(request, 1000, 700), (HeartPlan{c.x, c.y, std::nullopt})) << c.horizontal;
    }
}

TEST(HeartCells, AllSmallFollowsTheHeartShape) {
    const HeartRequest request = checkHeartTexts(defaultHeart(), 1, 1).request;
    const std::vector<CellRect> cells = heartCells(request, 32, 32);
    ASSERT_EQ(cells.size(), 27u);
    std::vector<std::pair<int, int>> grid;  // (row, column) in creation order
    for (const CellRect& cell : cells) {
        EXPECT_EQ(cell.width, 96);
        EXPECT_EQ(cell.height, 96);
        EXPECT_EQ((cell.x - 32) % 102, 0);
        EXPECT_EQ((cell.y - 32) % 102, 0);
        grid.emplace_back((cell.y - 32) / 102, (cell.x - 32) / 102);
    }
    EXPECT_TRUE(std::is_sorted(grid.begin(), grid.end()));
    const std::vector<std::pair<int, int>> firstRow = {{0, 1}, {0, 2}, {0, 4}, {0, 5}};
    EXPECT_TRUE(std::equal(firstRow.begin(), firstRow.end(), grid.begin()));
    const std::vector<std::pair<int, int>> lastRows = {{3, 5}, {4, 2}, {4, 3}, {4, 4}, {5, 3}};
    EXPECT_TRUE(std::equal(lastRows.begin(), lastRows.end(), grid.end() - 5));
}

bool overlap(const CellRect& a, const CellRect& b) {
    return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
}

TEST(HeartCells, BigMiddleCellsStayApartInsideTheHeart) {
    HeartTexts texts = defaultHeart();
    texts.style = kHeartBigMiddle;
    const HeartRequest request = checkHeartTexts(texts, 1, 1).request;
    const std::vector<CellRect> cells = heartCells(request, 0, 0);
    ASSERT_EQ(cells.size(), 27u);
    int big = 0;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const CellRect& c = cells[i];
        if (c.width == 239) ++big;
        EXPECT_GE(c.x, 0);
        EXPECT_GE(c.y, 0);
        EXPECT_LE(c.x + c.width, 933);
        EXPECT_LE(c.y + c.height, 790);
        for (std::size_t j = i + 1; j < cells.size(); ++j)
            EXPECT_FALSE(overlap(c, cells[j])) << i << " " << j;
    }
    EXPECT_EQ(big, 4);
    // The right halves of the top rows are measured from the right edge; the tip is centred.
    EXPECT_EQ(cells[3], (CellRect{933 - 2 * 96 - 6, 0, 96, 96}));
    EXPECT_EQ(cells[11], (CellRect{933 - 96, 102, 96, 96}));
    EXPECT_EQ(cells[13], (CellRect{102, 204, 239, 239}));
    EXPECT_EQ(cells[19], (CellRect{143, 449, 96, 96}));
    EXPECT_EQ(cells[26], (CellRect{418, 694, 96, 96}));
}

}  // namespace
}  // namespace plazor
