// Decoding a JPEG at a reduced DCT scale with libjpeg-turbo: the entropy data is still read in full,
// but the inverse transform and colour conversion run at the reduced size.
#pragma once

#include <optional>
#include <string_view>

#include "render/pixels8.h"
#include "render/placement_geometry.h"

namespace plazor {

struct DctScale {
    int num = 1, denom = 1;
    bool operator==(const DctScale&) const = default;
};

// The smallest scale libjpeg-turbo offers (M/8, never above 1) at which a `full` picture is still at
// least `atLeast` on both axes; 1/1 when no smaller one is.
DctScale smallestDctScale(PixelSize full, PixelSize atLeast);

// The size of `full` decoded at `scale` (libjpeg rounds up).
PixelSize scaledSize(PixelSize full, DctScale scale);

// Decodes the JPEG `bytes` at smallestDctScale(its size, atLeast) into RGB, as stored (not turned by
// its orientation). Nothing when libjpeg-turbo cannot decode it cleanly (CMYK, damaged data, ...); the
// caller then reads it the ordinary way.
std::optional<Pixels8> decodeJpegScaled(std::string_view bytes, PixelSize atLeast);

}  // namespace plazor
