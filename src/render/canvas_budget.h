// What a canvas costs the image library: whether the library can hold one of a given size at all, and
// how many rendering workers can each hold theirs in memory at once.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "util/magick_limits.h"

namespace plazor {

// Bytes of pixel cache one canvas of `width` x `height` takes.
std::uint64_t canvasBytes(int width, int height);

// Why the image library, with its current limits, cannot render a canvas of this size (a side beyond
// its width or height limit, or one worker's canvases beyond its memory, map and disk together);
// nothing when it can. The text names the size and the limit.
std::optional<std::string> canvasLimitProblem(int width, int height);

// The workers, at most `requested` and at least 1, whose canvases fit in `memoryBytes` together with
// `sharedBytes` that the whole run holds once (a decoded picture background).
int workersThatFit(int requested, std::uint64_t perWorkerBytes, std::uint64_t sharedBytes,
                   std::uint64_t memoryBytes);

// The library's memory and map limits together: what it holds before it spills to disk.
std::uint64_t libraryMemoryBytes();

// "1.5 GiB", "380 MiB": a size for messages.
std::string byteSizeText(std::uint64_t bytes);

}  // namespace plazor
