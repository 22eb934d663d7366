#include "render/over8.h"

#include <algorithm>
#include <cstring>

namespace plazor {
namespace {

std::uint8_t rounded(float v) {
    return static_cast<std::uint8_t>(std::clamp(v + 0.5f, 0.0f, 255.0f));
}

// One pixel of `s` (alpha sa, 0 .. 255) over `d`; `dc` is 3 or 4 channels.
void overPixel(std::uint8_t* d, int dc, const std::uint8_t* s, int sa) {
    if (sa == 0) return;
    if (sa == 255) {
        std::memcpy(d, s, 3);
        if (dc == 4) d[3] = 255;
        return;
    }
    const float a = sa / 255.0f;
    const float da = dc == 4 ? d[3] / 255.0f : 1.0f;
    const float out = a + da * (1.0f - a);
    const float dw = da * (1.0f - a);
    for (int c = 0; c < 3; ++c)
        d[c] = rounded((s[c] * a + d[c] * dw) / out);
    if (dc == 4) d[3] = rounded(out * 255.0f);
}

}  // namespace

Pixels8 filledPixels(int width, int height, int channels, std::uint8_t red, std::uint8_t green,
                     std::uint8_t blue, std::uint8_t alpha) {
    Pixels8 pixels(width, height, channels);
    const std::uint8_t colour[4] = {red, green, blue, alpha};
    std::uint8_t* p = pixels.data.data();
    if (width < 1 || height < 1) return pixels;
    for (int x = 0; x < width; ++x)
        std::memcpy(p + static_cast<std::size_t>(x) * channels, colour, static_cast<std::size_t>(channels));
    const std::size_t rowBytes = static_cast<std::size_t>(width) * channels;
    for (int y = 1; y < height; ++y)
        std::memcpy(pixels.row(y), p, rowBytes);
    return pixels;
}

void compositeOver(Pixels8& target, const Pixels8& picture, int x, int y) {
    // Offsets come from the file: the clipping runs in 64 bits.
    const std::int64_t x0 = std::max<std::int64_t>(0, x), y0 = std::max<std::int64_t>(0, y);
    const std::int64_t x1 = std::min<std::int64_t>(target.width, std::int64_t{x} + picture.width);
    const std::int64_t y1 = std::min<std::int64_t>(target.height, std::int64_t{y} + picture.height);
    if (x1 <= x0 || y1 <= y0) return;
    const int tc = target.channels, pc = picture.channels;
    const auto width = static_cast<std::size_t>(x1 - x0);
    for (std::int64_t ty = y0; ty < y1; ++ty) {
        std::uint8_t* d = target.row(static_cast<int>(ty)) + static_cast<std::size_t>(x0) * tc;
        const std::uint8_t* s = picture.row(static_cast<int>(ty - y)) + static_cast<std::size_t>(x0 - x) * pc;
        if (pc == 3 && tc == 3) {
            std::memcpy(d, s, width * 3);
            continue;
        }
        for (std::size_t i = 0; i < width; ++i, d += tc, s += pc)
            overPixel(d, tc, s, pc == 4 ? s[3] : 255);
    }
}

}  // namespace plazor
