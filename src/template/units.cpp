#include "template/units.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

#include "template/document.h"

namespace plazor {
namespace {

constexpr double kCentimetreFactor = 28.346;
constexpr double kMillimetreFactor = 2.8346;
constexpr double kPointsPerInch = 72.0;

int clampDpi(int dpi) {
    return std::clamp(dpi, kMinDpi, kMaxDpi);
}

std::string fixed(double value, int precision) {
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::fixed, precision);
    return std::string(buffer.data(), result.ptr);
}

}  // namespace

// Independent of the locale: a GUI process runs with the user's locale, whose decimal point may be a
// comma.
double leadingNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    if (i < text.size() && text[i] == '+') ++i;
    double value = 0;
    if (std::from_chars(text.data() + i, text.data() + text.size(), value).ec != std::errc()) return 0;
    return std::isnan(value) ? 0 : value;
}

namespace {

// The typed value in pixels before rounding and before the limits apply.
double unlimitedPixels(std::string_view text, int unit, int dpi) {
    double v = leadingNumber(text);
    const double d = clampDpi(dpi);
    switch (unit) {
        case kUnitCentimetres:
            return (v <= 0 ? 1 : v) * kCentimetreFactor / kPointsPerInch * d;
        case kUnitMillimetres:
            return (v <= 0 ? 1 : v) * kMillimetreFactor / kPointsPerInch * d;
        case kUnitInches:
            return (v <= 0 ? 1 : v) * d;
        default:
            return std::trunc(v);
    }
}

}  // namespace

int pixelsFromTyped(std::string_view text, int unit, int dpi) {
    // Clamped as a double first: converting an out-of-range double to int is undefined.
    const double pixels =
        std::clamp(unlimitedPixels(text, unit, dpi), 1.0, static_cast<double>(kMaxBackgroundSide));
    const double whole = std::floor(pixels);
    const int rounded = static_cast<int>(whole) + (pixels - whole > 0.5 ? 1 : 0);
    return std::clamp(rounded, 1, kMaxBackgroundSide);
}

bool typedSizeBeyondLimit(std::string_view text, int unit, int dpi) {
    // An exact half rounds down, so kMaxBackgroundSide + 0.5 still fits.
    return unlimitedPixels(text, unit, dpi) > kMaxBackgroundSide + 0.5;
}

std::string sizeTextInUnit(int pixels, int unit, int dpi) {
    const double d = clampDpi(dpi);
    switch (unit) {
        case kUnitCentimetres:
            return fixed(pixels / kCentimetreFactor * kPointsPerInch / d, 2);
        case kUnitMillimetres:
            return fixed(pixels / kMillimetreFactor * kPointsPerInch / d, 2);
        case kUnitInches:
            return fixed(pixels / d, 3);
        default:
            return std::to_string(pixels);
    }
}

SizeFieldLimits sizeFieldLimits(int unit) {
    switch (unit) {
        case kUnitCentimetres:
        case kUnitMillimetres:
            return {6, 6};
        case kUnitInches:
            return {7, 7};
        default:
            return {4, 5};
    }
}

std::string clipSizeText(std::string_view text) {
    std::size_t chars = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        // Count only the bytes that start a character (not UTF-8 continuation bytes).
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80 && chars++ == kMaxSizeTextChars) {
            return std::string(text.substr(0, i));
        }
    }
    return std::string(text);
}

}  // namespace plazor
