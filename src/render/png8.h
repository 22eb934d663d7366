// PNG-8 output: a picture reduced to a palette of at most the chosen number of colours (libimagequant)
// and encoded as an 8-bit palette PNG (LodePNG), into memory or into a file.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "util/magick.h"
#include "util/outcome.h"

namespace plazor {

// The pHYs values of a palette PNG.
struct PixelsPerMetre {
    unsigned x = 0, y = 0;
    bool operator==(const PixelsPerMetre&) const = default;
};

// The picture's resolution in pixels per metre; nothing when it has no physical unit or no value.
std::optional<PixelsPerMetre> pixelsPerMetre(double xResolution, double yResolution, ResolutionType units);

// Quantises `picture` to at most `colourCount` colours (the library's 256 unless the count is 2..256)
// with full dithering and encodes it as a palette PNG that keeps the picture's resolution. On failure
// the error is the info entry's text (two lines; the window follows it with an empty line).
Outcome<std::string> encodePng8(MagickWand* picture, int colourCount);

// Encodes as above and replaces `path` with the result in one piece: a failure leaves no partial file.
Status writePng8(MagickWand* picture, int colourCount, const std::filesystem::path& path);

}  // namespace plazor
