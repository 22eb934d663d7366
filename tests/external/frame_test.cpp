#include "external/frame.h"

#include <gtest/gtest.h>

namespace plazor::external {
namespace {

TEST(Frame, RequestRoundTripsWithPayloadBytesUnchanged) {
    const Request request{0xC0FFEEu, "plazor-window-1-2",
                          std::string("a\0\xFF"
                                      "b",
                                      4)};
    const std::string bytes = encodeRequest(request);
    const Parsed<Request> parsed = parseRequest(bytes);
    ASSERT_EQ(parsed.status, FrameStatus::Complete);
    EXPECT_EQ(parsed.value.tag, request.tag);
    EXPECT_EQ(parsed.value.sender, request.sender);
    EXPECT_EQ(parsed.value.payload, request.payload);
}

TEST(Frame, EveryShorterPrefixIsIncomplete) {
    const std::string request = encodeRequest({7, "s", "payload"});
    const std::string reply = encodeReply({-3, "data"});
    for (std::size_t n = 0; n < request.size(); ++n)
        EXPECT_EQ(parseRequest(request.substr(0, n)).status, FrameStatus::Incomplete) << n;
    for (std::size_t n = 0; n < reply.size(); ++n)
        EXPECT_EQ(parseReply(reply.substr(0, n)).status, FrameStatus::Incomplete) << n;
    const Parsed<Reply> parsed = parseReply(reply);
    ASSERT_EQ(parsed.status, FrameStatus::Complete);
    EXPECT_EQ(parsed.value.code, -3);
    EXPECT_EQ(parsed.value.data, "data");
}

TEST(Frame, StrangeBytesAreInvalid) {
    EXPECT_EQ(parseRequest("GET / HTTP/1.1\r\n").status, FrameStatus::Invalid);
    // A request is not a reply.
    EXPECT_EQ(parseReply(encodeRequest({1, "s", ""})).status, FrameStatus::Invalid);
    EXPECT_EQ(parseRequest(encodeRequest({1, "s", ""}) + "x").status, FrameStatus::Invalid);
}

TEST(Frame, FieldsBeyondTheLimitsAreNeitherSentNorAccepted) {
    EXPECT_TRUE(encodeRequest({1, std::string(kMaxSenderBytes + 1, 's'), ""}).empty());
    EXPECT_TRUE(encodeRequest({1, "s", std::string(kMaxPayloadBytes + 1, 'p')}).empty());
    EXPECT_TRUE(encodeReply({1, std::string(kMaxReplyDataBytes + 1, 'd')}).empty());

    // A length announcing 4 GB is refused at once rather than waited for.
    std::string huge = encodeRequest({1, "s", ""});
    huge.replace(huge.size() - 4, 4, "\xFF\xFF\xFF\xFF");
    EXPECT_EQ(parseRequest(huge).status, FrameStatus::Invalid);
}

}  // namespace
}  // namespace plazor::external
