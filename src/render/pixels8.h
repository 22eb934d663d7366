// A picture as plain 8-bit samples, interleaved RGB or RGBA, rows top to bottom: the form in which the
// fast path decodes, turns and resizes source pictures before handing them to the image library.
#pragma once

#include <cstdint>
#include <vector>

namespace plazor {

struct Pixels8 {
    int width = 0;
    int height = 0;
    int channels = 3;  // 3 (RGB) or 4 (RGBA, not premultiplied)
    std::vector<std::uint8_t> data;

    Pixels8() = default;
    Pixels8(int w, int h, int c)
        : width(w), height(h), channels(c), data(static_cast<std::size_t>(w) * h * c) {}

    std::uint8_t* row(int y) { return data.data() + static_cast<std::size_t>(y) * width * channels; }
    const std::uint8_t* row(int y) const {
        return data.data() + static_cast<std::size_t>(y) * width * channels;
    }
};

}  // namespace plazor
