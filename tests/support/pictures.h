// Pictures made by the tests with the image library, and reading single pixels back.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "util/magick.h"

namespace plazor::testing {

struct Rgba {
    std::uint8_t r = 0, g = 0, b = 0, a = 255;
    bool operator==(const Rgba&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const Rgba& c) {
    return out << "rgba(" << int(c.r) << "," << int(c.g) << "," << int(c.b) << "," << int(c.a) << ")";
}

inline constexpr Rgba kRed{255, 0, 0}, kGreen{0, 255, 0}, kBlue{0, 0, 255}, kYellow{255, 255, 0},
    kWhite{255, 255, 255}, kClear{0, 0, 0, 0};

// A w x h picture whose pixel (x, y) is colourAt(x, y); it has an alpha channel.
inline Wand makePicture(int w, int h, const std::function<Rgba(int, int)>& colourAt) {
    std::vector<std::uint8_t> pixels;
    pixels.reserve(static_cast<std::size_t>(w) * h * 4);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const Rgba c = colourAt(x, y);
            pixels.insert(pixels.end(), {c.r, c.g, c.b, c.a});
        }
    }
    Wand wand = newWand();
    PixelWandPtr none(NewPixelWand());
    PixelSetColor(none.get(), "none");
    MagickNewImage(wand.get(), w, h, none.get());
    MagickImportImagePixels(wand.get(), 0, 0, w, h, "RGBA", CharPixel, pixels.data());
    return wand;
}

// A w x h picture of one colour given as the image library's colour text ("#ff0000", "none", ...).
inline Wand makeFilled(int w, int h, const std::string& colour) {
    Wand wand = newWand();
    PixelWandPtr fill(NewPixelWand());
    PixelSetColor(fill.get(), colour.c_str());
    MagickNewImage(wand.get(), w, h, fill.get());
    return wand;
}

// Writes a w x h picture of one colour to `path` in `format` ("PNG", "JPEG", "GIF", "BMP", "TIFF", ...),
// whatever the name's extension, making its folder first. False when the library could not write it.
inline bool writeFilledPicture(const std::string& path, const std::string& format, int w, int h,
                               const std::string& colour = "#ff0000") {
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ec);
    Wand wand = makeFilled(w, h, colour);
    return MagickWriteImage(wand.get(), (format + ":" + path).c_str()) == MagickTrue;
}

// Top-left red, top-right green, bottom-left blue, bottom-right yellow.
inline Wand makeQuadrants(int w, int h) {
    return makePicture(w, h, [w, h](int x, int y) {
        if (y < h / 2) return x < w / 2 ? kRed : kGreen;
        return x < w / 2 ? kBlue : kYellow;
    });
}

inline Rgba pixelAt(MagickWand* wand, int x, int y) {
    std::uint8_t p[4] = {};
    MagickExportImagePixels(wand, x, y, 1, 1, "RGBA", CharPixel, p);
    return {p[0], p[1], p[2], p[3]};
}

// True when every channel is within `tolerance` of the expected colour (resizing blurs a little).
inline bool near(const Rgba& got, const Rgba& want, int tolerance = 2) {
    auto close = [tolerance](int a, int b) { return a - b <= tolerance && b - a <= tolerance; };
    return close(got.r, want.r) && close(got.g, want.g) && close(got.b, want.b) && close(got.a, want.a);
}

}  // namespace plazor::testing
