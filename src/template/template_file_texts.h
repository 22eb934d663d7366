// The fixed member texts that the template file's writer and reader share.
#pragma once

namespace plazor {

inline constexpr const char* kColourWhiteText = "#ffffff";
inline constexpr const char* kColourTransparentText = "none";
inline constexpr const char* kColourCustomText = "other";
inline constexpr const char* kFormatJpgText = "JPG";
inline constexpr const char* kFormatPngText = "PNG";

}  // namespace plazor
