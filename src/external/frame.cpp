#include "external/frame.h"

namespace plazor::external {
namespace {

constexpr std::string_view kRequestMark = "PLZQ";
constexpr std::string_view kReplyMark = "PLZR";

void putNumber(std::string& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<char>((value >> shift) & 0xFF));
}

void putField(std::string& out, std::string_view field) {
    putNumber(out, static_cast<std::uint32_t>(field.size()));
    out.append(field);
}

// Reads the frame front to back; `incomplete` when the bytes end early, `invalid` on a bad field.
class Cursor {
  public:
    explicit Cursor(std::string_view bytes) : bytes_(bytes) {}

    bool incomplete = false;
    bool invalid = false;

    bool mark(std::string_view expected) {
        const std::string_view got = take(expected.size());
        if (!incomplete && got != expected) invalid = true;
        return ok();
    }

    std::uint32_t number() {
        const std::string_view raw = take(4);
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < raw.size(); ++i)
            value |= static_cast<std::uint32_t>(static_cast<unsigned char>(raw[i])) << (8 * i);
        return value;
    }

    std::string field(std::size_t limit) {
        const std::uint32_t size = number();
        if (!ok()) return {};
        if (size > limit) {
            invalid = true;
            return {};
        }
        return std::string(take(size));
    }

    FrameStatus status() const {
        if (invalid || (!incomplete && pos_ != bytes_.size())) return FrameStatus::Invalid;
        return incomplete ? FrameStatus::Incomplete : FrameStatus::Complete;
    }

  private:
    bool ok() const { return !incomplete && !invalid; }

    std::string_view take(std::size_t size) {
        if (!ok()) return {};
        if (bytes_.size() - pos_ < size) {
            incomplete = true;
            return {};
        }
        const std::string_view part = bytes_.substr(pos_, size);
        pos_ += size;
        return part;
    }

    std::string_view bytes_;
    std::size_t pos_ = 0;
};

}  // namespace

std::string encodeRequest(const Request& request) {
    if (request.sender.size() > kMaxSenderBytes || request.payload.size() > kMaxPayloadBytes) return {};
    std::string out(kRequestMark);
    putNumber(out, request.tag);
    putField(out, request.sender);
    putField(out, request.payload);
    return out;
}

std::string encodeReply(const Reply& reply) {
    if (reply.data.size() > kMaxReplyDataBytes) return {};
    std::string out(kReplyMark);
    putNumber(out, static_cast<std::uint32_t>(reply.code));
    putField(out, reply.data);
    return out;
}

Parsed<Request> parseRequest(std::string_view bytes) {
    Cursor cursor(bytes);
    Parsed<Request> parsed;
    cursor.mark(kRequestMark);
    parsed.value.tag = cursor.number();
    parsed.value.sender = cursor.field(kMaxSenderBytes);
    parsed.value.payload = cursor.field(kMaxPayloadBytes);
    parsed.status = cursor.status();
    return parsed;
}

Parsed<Reply> parseReply(std::string_view bytes) {
    Cursor cursor(bytes);
    Parsed<Reply> parsed;
    cursor.mark(kReplyMark);
    parsed.value.code = static_cast<std::int32_t>(cursor.number());
    parsed.value.data = cursor.field(kMaxReplyDataBytes);
    parsed.status = cursor.status();
    return parsed;
}

}  // namespace plazor::external
