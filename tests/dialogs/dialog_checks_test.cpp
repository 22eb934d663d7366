// The checks behind "确定" of the position dialogs and of the input box: order, messages, focus.
#include <gtest/gtest.h>

#include "dialogs/input_checks.h"
#include "dialogs/position_checks.h"

namespace plazor {
namespace {

using enum DialogField;

constexpr int kBackgroundWidth = 800;
constexpr int kBackgroundHeight = 600;

TEST(PasteLayerChecks, ReportTheFirstFailureInOrder) {
    const struct {
        PasteLayerTexts texts;
        DialogField focus;
        const char* message;
    } cases[] = {
        {{"", "", "", ""}, X, "请输入x坐标"},
        {{"-5", "", "", ""}, X, "x坐标不能小于 0"},
        {{"800", "", "", ""}, X, "x坐标不能大于或等于【背景层】宽度：800"},
        {{"799", "", "", ""}, Y, "请输入y坐标"},
        {{"0", "-1", "", ""}, Y, "y坐标不能小于 0"},
        {{"0", "600", "", ""}, Y, "y坐标不能大于或等于【背景层】高度：600"},
        {{"0", "0", "", ""}, Width, "请输入宽度"},
        {{"0", "0", "0", ""}, Width, "宽度不能小于 1"},
        {{"0", "0", "abc", ""}, Width, "宽度不能小于 1"},
        {{"0", "0", "10", ""}, Height, "请输入高度"},
        {{"0", "0", "10", "0"}, Height, "高度不能小于 1"},
    };
    for (const auto& c : cases) {
        const PasteLayerCheck check = checkPasteLayerTexts(c.texts, kBackgroundWidth, kBackgroundHeight);
        ASSERT_TRUE(check.failure) << c.message;
        EXPECT_EQ(*check.failure, (FieldFailure{c.focus, c.message}));
    }
}

TEST(PasteLayerChecks, RightAndBottomEdgesNameBothNumbersAndKeepTheFocus) {
    PasteLayerCheck check =
        checkPasteLayerTexts({"100", "0", "701", "10"}, kBackgroundWidth, kBackgroundHeight);
    ASSERT_TRUE(check.failure);
    EXPECT_EQ(*check.failure,
              (FieldFailure{None,
                            "x坐标  +  宽度  >  【背景层】宽度\n﹣﹣﹣﹣﹣﹣﹣　   ﹣﹣﹣﹣﹣﹣﹣\n"
                            "　  　801　　  　　　　800\n\n提示：x坐标或宽度需要设置小一些。"}));

    check = checkPasteLayerTexts({"0", "10", "800", "591"}, kBackgroundWidth, kBackgroundHeight);
    ASSERT_TRUE(check.failure);
    EXPECT_EQ(*check.failure,
              (FieldFailure{None,
                            "y坐标  +  高度  >  【背景层】高度\n﹣﹣﹣﹣﹣﹣﹣　   ﹣﹣﹣﹣﹣﹣﹣\n"
                            "　  　601　　  　　　　600\n\n提示：y坐标或高度需要设置小一些。"}));
}

TEST(PasteLayerChecks, OversizedExtentsAreCutToTheBackgroundBeforeTheEdgeCheck) {
    PasteLayerCheck check =
        checkPasteLayerTexts({"0", "0", "9999", "700"}, kBackgroundWidth, kBackgroundHeight);
    EXPECT_FALSE(check.failure);
    EXPECT_EQ(check.clampedWidth, 800);
    EXPECT_EQ(check.clampedHeight, 600);
    EXPECT_EQ(check.width, 800);
    EXPECT_EQ(check.height, 600);

    // The replacement stands even when the edge check then fails on it.
    check = checkPasteLayerTexts({"100", "0", "9999", ""}, kBackgroundWidth, kBackgroundHeight);
    EXPECT_EQ(check.clampedWidth, 800);
    ASSERT_TRUE(check.failure);
    EXPECT_EQ(check.failure->message, "请输入高度");
    check = checkPasteLayerTexts({"100", "0", "9999", "10"}, kBackgroundWidth, kBackgroundHeight);
    ASSERT_TRUE(check.failure);
    EXPECT_NE(check.failure->message.find("900"), std::string::npos);
}

TEST(PasteLayerChecks, AcceptARectangleThatReachesTheEdges) {
    const PasteLayerCheck check =
        checkPasteLayerTexts({"300", "12abc", "500", "588"}, kBackgroundWidth, kBackgroundHeight);
    EXPECT_FALSE(check.failure);
    EXPECT_EQ((std::array{check.x, check.y, check.width, check.height}), (std::array{300, 12, 500, 588}));
    EXPECT_FALSE(check.clampedWidth);
    EXPECT_FALSE(check.clampedHeight);
}

TEST(WatermarkChecks, CoordinatesFirstThenTheWatermarksSize) {
    const struct {
        const char* x;
        const char* y;
        DialogField focus;
        const char* message;
    } cases[] = {
        {"", "", X, "请输入x坐标"},
        {"800", "0", X, "x坐标不能大于或等于【背景层】宽度：800"},
        {"10", "", Y, "请输入y坐标"},
        {"10", "-2", Y, "y坐标不能小于 0"},
        {"10", "600", Y, "y坐标不能大于或等于【背景层】高度：600"},
        {"750", "0", None,
         "x坐标  +  水印宽度  >  【背景层】宽度\n﹣﹣﹣﹣﹣﹣﹣﹣﹣　   ﹣﹣﹣﹣﹣﹣﹣\n　  　850　　　　  "
         "　　　　800\n\n"
         "提示：x坐标需要设置小一些。"},
        {"0", "551", None,
         "y坐标  +  水印高度  >  【背景层】高度\n﹣﹣﹣﹣﹣﹣﹣﹣﹣　   ﹣﹣﹣﹣﹣﹣﹣\n　  　601　　　　  "
         "　　　　600\n\n"
         "提示：y坐标需要设置小一些。"},
    };
    for (const auto& c : cases) {
        const WatermarkCheck check =
            checkWatermarkTexts(c.x, c.y, 100, 50, kBackgroundWidth, kBackgroundHeight);
        ASSERT_TRUE(check.failure) << c.x << "," << c.y;
        EXPECT_EQ(*check.failure, (FieldFailure{c.focus, c.message}));
    }
    const WatermarkCheck check =
        checkWatermarkTexts("700", "550", 100, 50, kBackgroundWidth, kBackgroundHeight);
    EXPECT_FALSE(check.failure);
    EXPECT_EQ(check.x, 700);
    EXPECT_EQ(check.y, 550);
}

TEST(SliceChecks, YMustLieStrictlyInsideTheBackground) {
    const struct {
        const char* y;
        const char* message;  // null when accepted
        int value;
    } cases[] = {
        {"", "请输入y坐标", 0},
        {"0", "y坐标不能小于 1", 0},
        {"-3", "y坐标不能小于 1", 0},
        {"abc", "y坐标不能小于 1", 0},
        {"800", "y坐标不能大于或等于【背景层】高度：800", 0},
        {"799", nullptr, 799},
        {" 5px", nullptr, 5},
    };
    for (const auto& c : cases) {
        const SliceCheck check = checkSliceText(c.y, 800);
        if (c.message) {
            ASSERT_TRUE(check.failure) << c.y;
            EXPECT_EQ(*check.failure, (FieldFailure{Y, c.message}));
        } else {
            EXPECT_FALSE(check.failure) << c.y;
            EXPECT_EQ(check.y, c.value);
        }
    }
}

TEST(InputChecks, EachKindAcceptsItsFormAndRefusesWithItsMessage) {
    const struct {
        InputKind kind;
        const char* text;
        const char* failure;  // null when accepted
        const char* value;
    } cases[] = {
        {InputKind::Character, "\\t", nullptr, "\t"},
        {InputKind::Character, "\\r", nullptr, "\r"},
        {InputKind::Character, "\\n", nullptr, "\n"},
        {InputKind::Character, ";", nullptr, ";"},
        {InputKind::Character, "", "请输入一个字符", ""},
        {InputKind::Character, "ab", "只可以输入一个字符(英文字母, 数字, 标点符号等)，不能输入汉字。", ""},
        {InputKind::Character, "\\x", "只可以输入一个字符(英文字母, 数字, 标点符号等)，不能输入汉字。", ""},
        {InputKind::Character, "中", "只可以输入一个字符(英文字母, 数字, 标点符号等)，不能输入汉字。", ""},
        {InputKind::Integer, "  -12 \t", nullptr, "-12"},
        {InputKind::Integer, "\r\n300\n", nullptr, "300"},
        {InputKind::Integer, " \t ", "请输入一个整数", ""},
        {InputKind::Integer, "1.5", "只可以输入一个整数", ""},
        {InputKind::Integer, "-", "只可以输入一个整数", ""},
        {InputKind::Integer, "- 1", "只可以输入一个整数", ""},
        {InputKind::Number, " -0.25 ", nullptr, "-0.25"},
        {InputKind::Number, "7.", nullptr, "7."},
        {InputKind::Number, "", "请输入一个数", ""},
        {InputKind::Number, "1.2.3", "只可以输入一个数", ""},
        {InputKind::Number, "-", "只可以输入一个数", ""},
        {InputKind::Number, ".5", "只可以输入一个数", ""},
        {InputKind::Text, "", nullptr, ""},
        {InputKind::Text, " any 文字 ", nullptr, " any 文字 "},
    };
    for (const auto& c : cases) {
        const InputCheck check = checkInputText(c.kind, c.text);
        if (c.failure) {
            EXPECT_EQ(check.failure, c.failure) << c.text;
        } else {
            EXPECT_FALSE(check.failure) << c.text;
            EXPECT_EQ(check.value, c.value) << c.text;
        }
    }
}

}  // namespace
}  // namespace plazor
