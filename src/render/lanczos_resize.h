// Resizing 8-bit pictures with the three-lobe Lanczos filter (blur 1.0), computing only a region of
// the result: a picture stretched far beyond the canvas costs no more than the part that shows.
#pragma once

#include "render/pixels8.h"
#include "render/placement_geometry.h"

namespace plazor {

// The pixels `region` (within 0,0 .. target) of `source` resized to `target`. Every pixel is computed
// exactly as in the full resize, so a region equals the same crop of the whole result. RGBA pictures
// are filtered with their colours weighted by alpha, so transparent pixels lend no colour.
Pixels8 lanczosResizeRegion(const Pixels8& source, PixelSize target, const CropRect& region);

}  // namespace plazor
