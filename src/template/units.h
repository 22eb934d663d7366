// The background size in its display unit: pixels from a typed value, the texts shown when the unit
// changes, and how many characters the size fields accept in each unit.
#pragma once

#include <string>
#include <string_view>

namespace plazor {

// Largest background side in pixels. Far above what the image library renders; it only keeps
// absurd typed values and hostile files from overflowing the size arithmetic.
inline constexpr int kMaxBackgroundSide = 99999;

// Typed size texts are read up to this many characters.
inline constexpr std::size_t kMaxSizeTextChars = 7;

inline constexpr int kMinDpi = 1;
inline constexpr int kMaxDpi = 1200;

// The leading number of `text` as the C library's atof reads it (leading blanks and a "+" skipped);
// 0 when nothing is readable.
double leadingNumber(std::string_view text);

// Pixels from a typed value in `unit` at `dpi`. Pixels take the integer part; centimetres, millimetres
// and inches convert (v x 28.346 / 72 x dpi, v x 2.8346 / 72 x dpi, v x dpi) and round to the nearest
// pixel with an exact half rounding down. Empty, unreadable or non-positive text counts as pixel 1 in
// pixels and as v = 1 in the other units. The result is 1..kMaxBackgroundSide.
int pixelsFromTyped(std::string_view text, int unit, int dpi);
// True when `text` asks for more than kMaxBackgroundSide pixels, so that pixelsFromTyped cut it.
bool typedSizeBeyondLimit(std::string_view text, int unit, int dpi);

// The text a size field shows for `pixels` in `unit`: "%d" in pixels, "%0.2f" in centimetres and
// millimetres, "%0.3f" in inches. Always written with a "." whatever the process locale.
std::string sizeTextInUnit(int pixels, int unit, int dpi);

// How many characters the width and height fields accept in a unit.
struct SizeFieldLimits {
    int width = 0;
    int height = 0;
};
SizeFieldLimits sizeFieldLimits(int unit);

// `text` cut to at most kMaxSizeTextChars characters (never inside a UTF-8 sequence).
std::string clipSizeText(std::string_view text);

}  // namespace plazor
