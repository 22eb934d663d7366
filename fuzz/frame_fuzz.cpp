// External-task frame bytes from a stranger: parsing never faults, keeps to its limits, and a complete
// frame encodes back to the same bytes.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "external/frame.h"

using namespace plazor::external;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const Parsed<Request> request = parseRequest(bytes);
    if (request.status == FrameStatus::Complete) {
        if (request.value.sender.size() > kMaxSenderBytes || request.value.payload.size() > kMaxPayloadBytes)
            __builtin_trap();
        if (encodeRequest(request.value) != bytes) __builtin_trap();
    }
    const Parsed<Reply> reply = parseReply(bytes);
    if (reply.status == FrameStatus::Complete) {
        if (reply.value.data.size() > kMaxReplyDataBytes) __builtin_trap();
        if (encodeReply(reply.value) != bytes) __builtin_trap();
    }
    return 0;
}
