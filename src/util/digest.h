// Fingerprints and text-safe wrapping of bytes, for files that carry other files inside them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace plazor {

// The SHA-256 digest of `bytes` as 64 lower-case hexadecimal digits.
std::string sha256Hex(std::string_view bytes);

// Standard base64 with padding, no line breaks.
std::string base64Encode(std::string_view bytes);

// Nothing when `text` is not valid base64.
std::optional<std::string> base64Decode(std::string_view text);

}  // namespace plazor
