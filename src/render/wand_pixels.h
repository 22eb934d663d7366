// Moving pictures between the image library and plain 8-bit samples.
#pragma once

#include "render/pixels8.h"
#include "util/magick.h"
#include "util/outcome.h"

namespace plazor {

// The picture's samples, RGBA when it has an alpha channel, else RGB; the library's text when they
// cannot be read out.
Outcome<Pixels8> pixelsOf(MagickWand* wand);

// A picture of the library made from `pixels`, at `dpi` pixels per inch; the library's text when it
// cannot be made.
Outcome<Wand> wandOf(const Pixels8& pixels, int dpi);

}  // namespace plazor
