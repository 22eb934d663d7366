#include "util/digest.h"

#include <nettle/base64.h>
#include <nettle/sha2.h>

#include <cstdint>

namespace plazor {

std::string sha256Hex(std::string_view bytes) {
    sha256_ctx ctx;
    sha256_init(&ctx);
    sha256_update(&ctx, bytes.size(), reinterpret_cast<const std::uint8_t*>(bytes.data()));
    std::uint8_t digest[SHA256_DIGEST_SIZE];
    sha256_digest(&ctx, sizeof digest, digest);
    static const char kHex[] = "0123456789abcdef";
    std::string text;
    for (const std::uint8_t b : digest) {
        text += kHex[b >> 4];
        text += kHex[b & 15];
    }
    return text;
}

std::string base64Encode(std::string_view bytes) {
    std::string text(BASE64_ENCODE_RAW_LENGTH(bytes.size()), '\0');
    base64_encode_raw(text.data(), bytes.size(), reinterpret_cast<const std::uint8_t*>(bytes.data()));
    return text;
}

std::optional<std::string> base64Decode(std::string_view text) {
    base64_decode_ctx ctx;
    base64_decode_init(&ctx);
    std::string bytes(BASE64_DECODE_LENGTH(text.size()), '\0');
    std::size_t length = bytes.size();
    if (!base64_decode_update(&ctx, &length, reinterpret_cast<std::uint8_t*>(bytes.data()), text.size(),
                              text.data()) ||
        !base64_decode_final(&ctx)) {
        return std::nullopt;
    }
    bytes.resize(length);
    return bytes;
}

}  // namespace plazor
