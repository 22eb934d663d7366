// Moving pictures between the image library and plain 8-bit samples.
#pragma once

#include <optional>
#include <string>

#include "render/pixels8.h"
#include "util/magick.h"

namespace plazor {

// The picture's samples, RGBA when it has an alpha channel, else RGB; nothing, with the library's
// text in `reason`, when they cannot be read out.
std::optional<Pixels8> pixelsOf(MagickWand* wand, std::string& reason);

// A picture of the library made from `pixels`, at `dpi` pixels per inch; nothing, with the library's
// text in `reason`, when it cannot be made.
Wand wandOf(const Pixels8& pixels, int dpi, std::string& reason);

}  // namespace plazor
