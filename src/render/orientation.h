// Turning decoded pixels upright by their Exif orientation (1..8), as the image library's
// auto-orientation does.
#pragma once

#include "render/pixels8.h"

namespace plazor {

// Orientations 5..8 turn the picture a quarter, so its width and height swap.
bool orientationSwapsAxes(int orientation);

// `source` as it is meant to be seen; values outside 2..8 leave it as stored.
Pixels8 turnUpright(Pixels8 source, int orientation);

}  // namespace plazor
