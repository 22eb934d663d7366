// How a run decodes the source pictures it shrinks.
#pragma once

namespace plazor {

enum class DecodeMode {
    // A JPEG that will be shrunk is decoded at the smallest reduced scale that is still at least its
    // final size, then resized to exactly that size: the geometry is that of a full decode, only pixel
    // values may differ slightly.
    kScaled,
    // Every picture is decoded at full size.
    kExact,
};

}  // namespace plazor
