// Composing 8-bit pictures with the Over operator, as the image library does on its canvases:
// non-premultiplied colours, result alpha Sa + Da (1 - Sa).
#pragma once

#include <cstdint>

#include "render/pixels8.h"

namespace plazor {

// A w x h picture of one colour; `channels` 3 (opaque) or 4.
Pixels8 filledPixels(int width, int height, int channels, std::uint8_t red, std::uint8_t green,
                     std::uint8_t blue, std::uint8_t alpha = 255);

// Composites `picture` (RGB or RGBA) over `target` (RGB or RGBA) with its top-left corner at x, y;
// what falls outside `target` is left out. An RGB target stays opaque, as the Over operator keeps it.
void compositeOver(Pixels8& target, const Pixels8& picture, int x, int y);

}  // namespace plazor
