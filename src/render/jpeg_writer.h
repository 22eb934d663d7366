// Encoding 8-bit pictures as JPEG with libjpeg-turbo, with the settings the image library uses for a
// JPG of the same quality, so the bytes match what it would write from the same pixels.
#pragma once

#include <string>

#include "render/pixels8.h"
#include "util/outcome.h"

namespace plazor {

// Rows `top` .. `top + rows - 1` of `pixels` (RGB, or RGBA whose alpha is left out) as a baseline
// JPEG: JFIF 1.01 carrying `dpi` pixels per inch, YCbCr with full-size chroma from quality 90 up and
// halved chroma below it, optimised Huffman tables. libjpeg's text when it fails.
Outcome<std::string> encodeJpeg(const Pixels8& pixels, int top, int rows, int quality, int dpi);

}  // namespace plazor
