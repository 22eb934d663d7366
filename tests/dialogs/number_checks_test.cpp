// Reading typed numbers, the keystroke rules of the numeric fields and the spin arrows' stepping.
#include <gtest/gtest.h>

#include <climits>

#include "dialogs/number_filters.h"
#include "dialogs/number_text.h"
#include "dialogs/spin_buddy.h"

namespace plazor {
namespace {

TEST(ParseLeadingInt, ReadsLikeAtoi) {
    const struct {
        const char* text;
        int value;
    } cases[] = {
        {"", 0},
        {"abc", 0},
        {"12abc", 12},
        {"  -7", -7},
        {"+3", 3},
        {"- 5", 0},
        {"\t\n42", 42},
        {"99999999999", INT_MAX},
        {"-99999999999", INT_MIN},
        {"007", 7},
    };
    for (const auto& c : cases)
        EXPECT_EQ(parseLeadingInt(c.text), c.value) << c.text;
}

TEST(TrimBlanks, RemovesOnlySpacesTabsAndLineBreaks) {
    EXPECT_EQ(trimBlanks(" \t-12\r\n"), "-12");
    EXPECT_EQ(trimBlanks("   "), "");
    EXPECT_EQ(trimBlanks("\v5\f"), "\v5\f");
}

TEST(NumberText, RecognisesIntegersAndDecimalNumbers) {
    const struct {
        const char* text;
        bool integer;
        bool decimal;
    } cases[] = {
        {"0", true, true},      {"-12", true, true},   {"-", false, false},   {"", false, false},
        {"+5", false, false},   {"1-2", false, false}, {"1.5", false, true},  {"1.", false, true},
        {"-0.25", false, true}, {".5", false, false},  {"-.5", false, false}, {"1.2.3", false, false},
        {"1e3", false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(isSignedIntegerText(std::string_view(c.text)), c.integer) << c.text;
        EXPECT_EQ(isDecimalNumberText(std::string_view(c.text)), c.decimal) << c.text;
    }
}

TEST(NumberFilters, JudgeTypedCharacters) {
    using enum KeystrokeVerdict;
    constexpr auto kSigned = NumberFilterKind::SignedInteger;
    constexpr auto kDecimal = NumberFilterKind::Decimal;
    const struct {
        NumberFilterKind kind;
        char16_t ch;
        int selectionStart;
        KeystrokeVerdict verdict;
    } cases[] = {
        {kSigned, u'7', 3, Accept},
        {kSigned, u'-', 0, Accept},
        {kSigned, u'-', 1, Refuse},
        {kSigned, u'.', 1, Refuse},
        {kSigned, u'a', 0, Refuse},
        {kSigned, u' ', 0, Refuse},
        {kSigned, kCharBackspace, 2, Accept},
        {kSigned, kCharEnter, 2, Accept},
        {kSigned, kCharCopy, 0, Accept},
        {kSigned, kCharCut, 0, Accept},
        {kSigned, kCharUndo, 0, Accept},
        {kSigned, kCharPaste, 0, CheckPaste},
        {kSigned, 0x01, 0, Refuse},
        {kSigned, u'中', 0, Refuse},
        {kDecimal, u'.', 0, Refuse},
        {kDecimal, u'.', 2, Accept},
        {kDecimal, u'-', 0, Refuse},
        {kDecimal, u'9', 0, Accept},
        {kDecimal, kCharPaste, 1, CheckPaste},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(judgeKeystroke(c.kind, c.ch, c.selectionStart), c.verdict)
            << static_cast<int>(c.ch) << " at " << c.selectionStart;
    }
}

TEST(NumberFilters, PasteReplacesTheSelectionWithinTheFieldsRoom) {
    EXPECT_EQ(textAfterPaste(u"", 0, 0, u"-", 5), u"-");
    EXPECT_EQ(textAfterPaste(u"12", 0, 0, u"-", 5), u"-12");
    EXPECT_EQ(textAfterPaste(u"123", 1, 2, u"45", 5), u"1453");
    EXPECT_EQ(textAfterPaste(u"123", 2, 1, u"45", 5), u"1453");
    EXPECT_EQ(textAfterPaste(u"1234", 4, 4, u"5678", 5), u"12345");
    EXPECT_EQ(textAfterPaste(u"12345", 0, 5, u"9876543", 5), u"98765");
    EXPECT_EQ(textAfterPaste(u"12345", 5, 5, u"6", 5), u"12345");
}

TEST(NumberFilters, PasteResultMustBeANumberOfTheFieldsKind) {
    EXPECT_TRUE(pasteAccepted(NumberFilterKind::SignedInteger, u"-"));
    EXPECT_TRUE(pasteAccepted(NumberFilterKind::SignedInteger, u"-120"));
    EXPECT_FALSE(pasteAccepted(NumberFilterKind::SignedInteger, u""));
    EXPECT_FALSE(pasteAccepted(NumberFilterKind::SignedInteger, u"--1"));
    EXPECT_FALSE(pasteAccepted(NumberFilterKind::SignedInteger, u"1.5"));
    EXPECT_TRUE(pasteAccepted(NumberFilterKind::Decimal, u"-1.5"));
    EXPECT_FALSE(pasteAccepted(NumberFilterKind::Decimal, u"-"));
    EXPECT_FALSE(pasteAccepted(NumberFilterKind::Decimal, u".5"));
    EXPECT_FALSE(pasteAccepted(NumberFilterKind::Decimal, u"1.2.3"));
}

TEST(SpinStep, StaysWithinTheRange) {
    EXPECT_EQ(steppedSpinValue("", 1, 0, 799), 1);
    EXPECT_EQ(steppedSpinValue("10", -1, 0, 799), 9);
    EXPECT_EQ(steppedSpinValue("799", 1, 0, 799), 799);
    EXPECT_EQ(steppedSpinValue("5000", -1, 0, 799), 798);
    EXPECT_EQ(steppedSpinValue("", -1, 1, 800), 1);
    EXPECT_EQ(steppedSpinValue("3", 1, 1, 0), 1);  // an upper bound below the lower one collapses to it
}

}  // namespace
}  // namespace plazor
