// Ownership of the image library's handles and its one-time start-up.
#pragma once

#include <wand/MagickWand.h>

#include <memory>
#include <string>

namespace plazor {

struct WandDeleter {
    void operator()(MagickWand* w) const { DestroyMagickWand(w); }
};
struct PixelWandDeleter {
    void operator()(PixelWand* w) const { DestroyPixelWand(w); }
};
struct MagickMemoryDeleter {
    void operator()(void* p) const { MagickRelinquishMemory(p); }
};

using Wand = std::unique_ptr<MagickWand, WandDeleter>;
using PixelWandPtr = std::unique_ptr<PixelWand, PixelWandDeleter>;
template <typename T>
using MagickBuffer = std::unique_ptr<T, MagickMemoryDeleter>;

// Starts the image library once per process (thread-safe), with resource limits sized to the machine
// (magick_limits.h). It changes the environment while starting, so the programs call it first thing
// in main, before any other thread runs.
void ensureMagickStarted();

// A new, empty wand; starts the library first when needed.
Wand newWand();

// The wand's current exception text (empty when there is none), and clears it.
std::string wandError(MagickWand* wand);
// The same for a colour wand.
std::string pixelWandError(PixelWand* wand);

struct WandFailure {
    std::string text;             // the exception text
    bool outOfResources = false;  // a resource limit was met (memory, map, disk, cache)
};

// The wand's current exception, and clears it.
WandFailure wandFailure(MagickWand* wand);

// Decodes `bytes` into a new wand; nothing when the library cannot read them.
Wand readBlob(const std::string& bytes);

}  // namespace plazor
