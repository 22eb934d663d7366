// The bytes of one exchange between two endpoints: a request (the message tag, the sender's endpoint
// name and the payload exactly as given) and its reply (a 32-bit code and, for a window query, the
// window's identity). Numbers are little-endian. A connection carries one request and one reply.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace plazor::external {

// Limits that keep a stranger's bytes from growing a buffer without end.
inline constexpr std::size_t kMaxSenderBytes = 255;
inline constexpr std::size_t kMaxPayloadBytes = 4096;
inline constexpr std::size_t kMaxReplyDataBytes = 4096;

struct Request {
    std::uint32_t tag = 0;
    std::string sender;   // the sender's endpoint name
    std::string payload;  // the message's bytes
};

struct Reply {
    std::int32_t code = 0;
    std::string data;
};

enum class FrameStatus { Incomplete, Complete, Invalid };

template <typename T>
struct Parsed {
    FrameStatus status = FrameStatus::Incomplete;
    T value;
};

// Encoding fails (an empty result) only for fields beyond the limits.
std::string encodeRequest(const Request& request);
std::string encodeReply(const Reply& reply);

// Parse the bytes received so far: incomplete until the whole frame is there; invalid for a wrong
// mark, a field beyond its limit or bytes after the frame.
Parsed<Request> parseRequest(std::string_view bytes);
Parsed<Reply> parseReply(std::string_view bytes);

}  // namespace plazor::external
