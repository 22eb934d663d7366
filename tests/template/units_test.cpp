#include "template/units.h"

#include <gtest/gtest.h>

#include "template/document.h"

namespace plazor {
namespace {

struct TypedCase {
    const char* text;
    int unit;
    int dpi;
    int pixels;
};

TEST(Units, PixelsFromTypedValues) {
    const TypedCase cases[] = {
        {"10", kUnitCentimetres, 300, 1181},   // 1181.08
        {"10.5", kUnitCentimetres, 72, 298},   // 297.63
        {"25.4", kUnitMillimetres, 300, 300},  // 299.99
        {"2", kUnitInches, 300, 600},          //
        {"800", kUnitPixels, 72, 800},         //
        {"12.9", kUnitPixels, 72, 12},         // pixels keep the integer part
        {"2.5", kUnitInches, 1, 2},            // an exact half rounds down
        {"0.5", kUnitInches, 3, 1},            // 1.5
        {"2.75", kUnitInches, 2, 5},           // 5.5
        {"2.8", kUnitInches, 1, 3},            // more than a half rounds up
        {" 3", kUnitInches, 10, 30},           // leading blanks as the C library reads them
        {"4cm", kUnitCentimetres, 72, 113},    // the leading number only: 113.38
    };
    for (const auto& c : cases) {
        EXPECT_EQ(pixelsFromTyped(c.text, c.unit, c.dpi), c.pixels) << c.text << " unit " << c.unit;
    }
}

TEST(Units, EmptyOrNonPositiveValuesCountAsOne) {
    for (const char* text : {"", "0", "-5", "abc", "-0.1"}) {
        EXPECT_EQ(pixelsFromTyped(text, kUnitPixels, 300), 1) << text;
        // v = 1 in the length units: 1 cm at 300 dpi is 118.1, 1 mm is 11.8, 1 inch is 300.
        EXPECT_EQ(pixelsFromTyped(text, kUnitCentimetres, 300), 118) << text;
        EXPECT_EQ(pixelsFromTyped(text, kUnitMillimetres, 300), 12) << text;
        EXPECT_EQ(pixelsFromTyped(text, kUnitInches, 300), 300) << text;
    }
    // A tiny positive value still gives at least one pixel.
    EXPECT_EQ(pixelsFromTyped("0.001", kUnitMillimetres, 1), 1);
}

TEST(Units, HugeValuesStopAtTheLargestSide) {
    EXPECT_EQ(pixelsFromTyped("9999999", kUnitInches, 1200), kMaxBackgroundSide);
    EXPECT_EQ(pixelsFromTyped("99999999999999999999", kUnitPixels, 72), kMaxBackgroundSide);
    EXPECT_EQ(pixelsFromTyped("inf", kUnitCentimetres, 72), kMaxBackgroundSide);
    EXPECT_EQ(pixelsFromTyped("nan", kUnitCentimetres, 72), 28);
}

TEST(Units, ShownTextsFollowTheUnit) {
    EXPECT_EQ(sizeTextInUnit(800, kUnitPixels, 72), "800");
    EXPECT_EQ(sizeTextInUnit(800, kUnitCentimetres, 72), "28.22");   // 28.2227
    EXPECT_EQ(sizeTextInUnit(800, kUnitMillimetres, 72), "282.23");  // 282.2264
    EXPECT_EQ(sizeTextInUnit(800, kUnitInches, 72), "11.111");
    EXPECT_EQ(sizeTextInUnit(1181, kUnitCentimetres, 300), "10.00");  // 9.9993
    EXPECT_EQ(sizeTextInUnit(150, kUnitInches, 300), "0.500");
}

TEST(Units, ShownTextsConvertBackToTheSamePixels) {
    for (int unit : {kUnitCentimetres, kUnitMillimetres, kUnitInches}) {
        for (int pixels : {1, 72, 800, 1181, 4096}) {
            EXPECT_NEAR(pixelsFromTyped(sizeTextInUnit(pixels, unit, 300), unit, 300), pixels, 2)
                << pixels << " unit " << unit;
        }
    }
}

TEST(Units, FieldLimitsPerUnit) {
    EXPECT_EQ(sizeFieldLimits(kUnitPixels).width, 4);
    EXPECT_EQ(sizeFieldLimits(kUnitPixels).height, 5);
    for (int unit : {kUnitCentimetres, kUnitMillimetres}) {
        EXPECT_EQ(sizeFieldLimits(unit).width, 6);
        EXPECT_EQ(sizeFieldLimits(unit).height, 6);
    }
    EXPECT_EQ(sizeFieldLimits(kUnitInches).width, 7);
    EXPECT_EQ(sizeFieldLimits(kUnitInches).height, 7);
}

TEST(Units, SizeTextsAreClippedToSevenCharacters) {
    EXPECT_EQ(clipSizeText("12345678"), "1234567");
    EXPECT_EQ(clipSizeText("1234567"), "1234567");
    EXPECT_EQ(clipSizeText("一二三四五六七八"), "一二三四五六七");
}

}  // namespace
}  // namespace plazor
