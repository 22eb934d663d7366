// The custom display style window's rules: proportional sizes, the fields shown for a record and the
// record after each field edit.
#include <gtest/gtest.h>

#include "dialogs/custom_style_rules.h"

namespace plazor {
namespace {

constexpr SampleSize kTall{300, 600};

Customize sized(int width, int height) {
    Customize record;
    record.width = width;
    record.height = height;
    return record;
}

TEST(CustomStyleRules, ProportionalSizesRoundHalvesUpAndStayPositive) {
    struct Case {
        SampleSize sample;
        int given;
        int height;  // from `given` as the width
        int width;   // from `given` as the height
    };
    const Case cases[] = {
        {kTall, 101, 202, 51},        // 101 x 0.5 = 50.5 rounds up
        {kTall, 1, 2, 1},             // 0.5 rounds up to 1
        {kTall, 0, 1, 1},             // never below 1
        {{1000, 333}, 100, 33, 300},  // 33.3 truncates
        {{1000, 333}, 150, 50, 450},  // 49.95 rounds up
        {{640, 480}, 9999, 7499, 9999 * 4 / 3},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(proportionalHeight(c.given, c.sample), c.height) << c.given;
        EXPECT_EQ(proportionalWidth(c.given, c.sample), c.width) << c.given;
    }
}

TEST(CustomStyleRules, FieldsShowPositiveSizesAndTheCheckFollowsTheProportions) {
    struct Case {
        Customize record;
        std::optional<SampleSize> sample;
        const char* width;
        const char* height;
        bool enabled;
        bool checked;
    };
    const Case cases[] = {
        {sized(0, 0), std::nullopt, "", "", false, false},  // no sample: never checked
        {sized(0, 0), kTall, "", "", true, true},           // a zero record keeps proportions
        {sized(101, 202), kTall, "101", "202", true, true},
        {sized(101, 203), kTall, "101", "203", true, false},
        {sized(120, 0), kTall, "120", "", true, false},
        {sized(0, 80), kTall, "", "80", true, false},
        {sized(-4, 202), kTall, "", "202", true, false},
        {sized(101, 202), std::nullopt, "101", "202", false, false},
    };
    for (const Case& c : cases) {
        const CustomStyleFields fields = customStyleFields(c.record, c.sample);
        EXPECT_EQ(fields.width, c.width);
        EXPECT_EQ(fields.height, c.height);
        EXPECT_EQ(fields.proportionsEnabled, c.enabled) << c.record.width << "x" << c.record.height;
        EXPECT_EQ(fields.proportionsChecked, c.checked) << c.record.width << "x" << c.record.height;
    }
}

TEST(CustomStyleRules, OffsetFieldsShowOnlyForTheValuePosition) {
    Customize record;
    record.horizontalPosition = kPosValue;
    record.left = -12;
    record.verticalPosition = kPosEnd;
    record.top = 7;
    const CustomStyleFields fields = customStyleFields(record, std::nullopt);
    EXPECT_EQ(fields.horizontalIndex, kPosValue);
    EXPECT_EQ(fields.verticalIndex, kPosEnd);
    EXPECT_TRUE(fields.leftVisible);
    EXPECT_FALSE(fields.topVisible);
    EXPECT_EQ(fields.left, "-12");
    EXPECT_EQ(fields.top, "7");
}

TEST(CustomStyleRules, SizeEditsWriteTheRecordAndWithProportionsTheOtherField) {
    struct Case {
        Customize before;
        SizeAxis axis;
        const char* text;
        bool keep;
        std::optional<SampleSize> sample;
        SizeEdit after;
    };
    const Case cases[] = {
        {sized(0, 0), SizeAxis::Width, "101", true, kTall, {sized(101, 202), "202"}},
        {sized(0, 0), SizeAxis::Height, "1", true, kTall, {sized(1, 1), "1"}},
        {sized(50, 100), SizeAxis::Width, "", true, kTall, {sized(0, 0), ""}},
        {sized(50, 100), SizeAxis::Height, "0", true, kTall, {sized(0, 0), "0"}},
        {sized(50, 100), SizeAxis::Width, "70", false, kTall, {sized(70, 100), std::nullopt}},
        {sized(50, 100), SizeAxis::Height, "", false, kTall, {sized(50, 0), std::nullopt}},
        // Without a sample the other size is left alone.
        {sized(50, 100), SizeAxis::Width, "70", true, std::nullopt, {sized(70, 100), std::nullopt}},
        // A negative number waits for the field to lose the focus.
        {sized(50, 100), SizeAxis::Width, "-3", true, kTall, {sized(50, 100), std::nullopt}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(editSize(c.before, c.axis, c.text, c.keep, c.sample), c.after) << c.text;
    }
}

TEST(CustomStyleRules, KeepingProportionsTakesTheSampleSizeOnlyWhenOutOfProportion) {
    EXPECT_EQ(withProportionsKept(sized(101, 203), kTall), sized(300, 600));
    EXPECT_EQ(withProportionsKept(sized(120, 0), kTall), sized(300, 600));
    EXPECT_EQ(withProportionsKept(sized(101, 202), kTall), sized(101, 202));
    EXPECT_EQ(withProportionsKept(sized(0, 0), kTall), sized(0, 0));
    EXPECT_EQ(withProportionsKept(sized(101, 203), std::nullopt), sized(101, 203));
}

TEST(CustomStyleRules, NumbersOfTheFields) {
    EXPECT_TRUE(refusedSize("-1"));
    EXPECT_FALSE(refusedSize("0"));
    EXPECT_FALSE(refusedSize(""));
    EXPECT_EQ(offsetValue(""), 0);
    EXPECT_EQ(offsetValue("-"), 0);
    EXPECT_EQ(offsetValue("-9999"), -9999);
    EXPECT_EQ(offsetValue("42"), 42);
}

}  // namespace
}  // namespace plazor
