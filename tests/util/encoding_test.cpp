#include "util/encoding.h"

#include <gtest/gtest.h>

namespace plazor {
namespace {

TEST(Encoding, EmptyAndAsciiTextsRoundTrip) {
    EXPECT_EQ(gbkToUtf8(""), std::optional<std::string>(""));
    EXPECT_EQ(utf8ToGbk(""), std::optional<std::string>(""));
    EXPECT_EQ(utf8ToGbk("abc"), std::optional<std::string>("abc"));
    EXPECT_EQ(gbkToUtf8("abc"), std::optional<std::string>("abc"));
}

TEST(Encoding, ChineseAndFullWidthPunctuationGiveGbkBytes) {
    // 【】﹣　 and 中文 in code page 936.
    const std::string gbk = "\xA1\xBE\xA1\xBF\xA9\x81\xA1\xA1\xD6\xD0\xCE\xC4";
    const std::string utf8 = "【】﹣　中文";
    EXPECT_EQ(utf8ToGbk(utf8), gbk);
    EXPECT_EQ(gbkToUtf8(gbk), utf8);
}

TEST(Encoding, CharactersOutsideGbkSurviveTheRoundTrip) {
    // An emoji and a rare CJK extension character: not in GBK, but a Linux file name may hold them.
    const std::string utf8 = "photo-\xF0\x9F\x98\x80-\xF0\xA0\x80\x80.jpg";
    const auto bytes = utf8ToGbk(utf8);
    ASSERT_TRUE(bytes.has_value());
    EXPECT_EQ(convertEncoding("GB18030", "UTF-8", *bytes), utf8);
}

TEST(Encoding, InvalidGbkSequencesAreDroppedNotFatal) {
    // 0xFF is never a GBK byte, and a lead byte at the very end is a truncated character.
    const auto utf8 =
        gbkToUtf8(std::string("a\xFF"
                              "b\xD6\xD0"
                              "c\xD6",
                              7));
    ASSERT_TRUE(utf8.has_value());
    EXPECT_EQ(*utf8, "ab中c");
}

TEST(Encoding, UnknownEncodingFails) {
    EXPECT_FALSE(convertEncoding("NO-SUCH-CODESET", "UTF-8", "x"));
}

TEST(Encoding, ByteLengthCountsChineseAsTwo) {
    EXPECT_EQ(gbkByteLength("abc"), 3u);
    EXPECT_EQ(gbkByteLength("我的模版"), 8u);
}

TEST(Encoding, EscapedNamesKeepValidUtf8AndShowEveryOtherByte) {
    EXPECT_EQ(escapedName("相册/a b"), "相册/a b");
    EXPECT_EQ(escapedName("x\xFFy"), "x\\xFFy");
    // An overlong "/", a surrogate, a cut-off character and a control character are not names' text.
    EXPECT_EQ(escapedName("\xC0\xAF"), "\\xC0\\xAF");
    EXPECT_EQ(escapedName("\xED\xA0\x80"), "\\xED\\xA0\\x80");
    EXPECT_EQ(escapedName("相\xE5\x86"), "相\\xE5\\x86");
    EXPECT_EQ(escapedName("a\tb"), "a\\x09b");
    EXPECT_EQ(escapedName("\xF0\x9F\x98\x80"), "\xF0\x9F\x98\x80");
}

TEST(Encoding, LongTextsAreConvertedWhole) {
    std::string utf8;
    for (int i = 0; i < 5000; ++i)
        utf8 += "图";
    const auto gbk = utf8ToGbk(utf8);
    ASSERT_TRUE(gbk.has_value());
    EXPECT_EQ(gbk->size(), 10000u);
    EXPECT_EQ(gbkToUtf8(*gbk), utf8);
}

}  // namespace
}  // namespace plazor
