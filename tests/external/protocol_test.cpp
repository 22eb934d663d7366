#include "external/protocol.h"

#include <gtest/gtest.h>

#include <set>

namespace plazor::external {
namespace {

std::string field(const std::string& payload, std::size_t index) {
    return payload.substr(index * kPathFieldBytes, kPathFieldBytes);
}

TEST(StartPayload, ChinesePathsRoundTripAsZeroFilledCodePage936Fields) {
    const ExternalTask task{"/home/用户/照片/第1组", "/home/用户/照片_处理后/第1组"};
    const std::optional<std::string> payload = encodeStartPayload(task);
    ASSERT_TRUE(payload);
    ASSERT_EQ(payload->size(), 520u);
    // "用户" is D3 C3 BB A7 in code page 936.
    EXPECT_EQ(field(*payload, 0).substr(6, 4), "\xD3\xC3\xBB\xA7");
    EXPECT_EQ(field(*payload, 0).find('\0'), 6 + 4 + 1 + 4 + 1 + 5u);  // "/home/" 用户 "/" 照片 "/第1组"
    EXPECT_EQ(field(*payload, 0).find_first_not_of('\0', 21), std::string::npos);
    EXPECT_EQ(field(*payload, 1).substr(0, 6), "/home/");
    EXPECT_EQ(decodeStartPayload(*payload), task);
}

TEST(StartPayload, APathMayHave259BytesButNot260) {
    // 129 Chinese characters count 258 bytes.
    std::string chinese;
    for (int i = 0; i < 129; ++i)
        chinese += "图";
    const std::string fits = "/" + chinese;  // 259 bytes
    ASSERT_TRUE(encodeStartPayload({fits, "/out"}));
    EXPECT_EQ(decodeStartPayload(*encodeStartPayload({fits, "/out"}))->sourceFolder, fits);
    EXPECT_FALSE(encodeStartPayload({fits + "a", "/out"}));
    EXPECT_FALSE(encodeStartPayload({"/src", fits + "a"}));
}

TEST(StartPayload, PathsThatWouldChangeOnTheWayAreRefused) {
    // Not UTF-8: the conversion would drop the byte and name another folder.
    EXPECT_FALSE(encodeStartPayload({"/photos/a\xFF", "/out"}));
    EXPECT_FALSE(encodeStartPayload({std::string("/a\0b", 4), "/out"}));
}

TEST(StartPayload, DecodingRefusesWrongSizesMissingTerminatorsAndBadBytes) {
    const std::string good = *encodeStartPayload({"/a", "/b"});
    EXPECT_FALSE(decodeStartPayload(good.substr(0, 519)));
    EXPECT_FALSE(decodeStartPayload(good + '\0'));
    EXPECT_FALSE(decodeStartPayload(""));

    std::string unterminated = good;
    unterminated.replace(kPathFieldBytes, kPathFieldBytes, std::string(kPathFieldBytes, 'x'));
    EXPECT_FALSE(decodeStartPayload(unterminated));

    std::string invalid = good;
    invalid[2] = '\xFF';  // never a byte of code page 936
    EXPECT_FALSE(decodeStartPayload(invalid));

    // Bytes after a field's terminator are not part of the path.
    std::string trailing = good;
    trailing[kPathFieldBytes + 10] = 'z';
    EXPECT_EQ(decodeStartPayload(trailing), (ExternalTask{"/a", "/b"}));
}

TEST(StatusPayload, HoldsOneSigned32BitNumber) {
    for (const std::int32_t status : {1, 2, -7}) {
        const std::string payload = encodeStatusPayload(status);
        EXPECT_EQ(payload.size(), 4u);
        EXPECT_EQ(decodeStatusPayload(payload), status);
    }
    EXPECT_FALSE(decodeStatusPayload("abc"));
    EXPECT_FALSE(decodeStatusPayload("abcde"));
}

TEST(MessageTags, AreDistinctForEveryMessage) {
    const std::set<std::uint32_t> tags{kBindTag,   kStartTag,       kStatusTag,
                                       kUnbindTag, kQueryWindowTag, kActivateTag};
    EXPECT_EQ(tags.size(), 6u);
    EXPECT_EQ(tags.count(0), 0u);
}

TEST(WindowIdentity, RoundTripsAndNeedsItsSeparator) {
    const WindowIdentity identity{"CodeBlocksWindowsApp", "Plazor图片排版工具 - 新模版"};
    EXPECT_EQ(decodeWindowIdentity(encodeWindowIdentity(identity)), identity);
    EXPECT_FALSE(decodeWindowIdentity("no separator"));
}

TEST(EndpointNames, StayInsideTheEndpointFolder) {
    EXPECT_TRUE(isEndpointName("plazor-window-12-1"));
    EXPECT_FALSE(isEndpointName("plazor-window-"));
    EXPECT_FALSE(isEndpointName("plazor-window-../../home/x"));
    EXPECT_FALSE(isEndpointName("other-socket"));
    EXPECT_FALSE(isEndpointName(std::string("plazor-window-1\0x", 17)));
}

}  // namespace
}  // namespace plazor::external
