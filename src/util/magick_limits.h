// The image library's resource limits, sized to the machine. Debian's system policy caps every image
// at 16,000 pixels a side, 128 megapixels and 256 MiB of memory, and a program cannot raise a policy
// limit through the API; a policy file of the program's own, found first, can. It is written before
// the library starts, read once by it, and removed again.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace plazor {

struct MagickLimits {
    std::uint64_t width = 0;  // pixels a side
    std::uint64_t height = 0;
    std::uint64_t area = 0;    // pixels of one image
    std::uint64_t memory = 0;  // bytes of pixel cache in memory, for the whole process
    std::uint64_t map = 0;     // bytes of memory-mapped pixel cache
    std::uint64_t disk = 0;    // bytes of pixel cache on disk
};

// Copies of the canvas one rendering worker holds at its peak: the base canvas, the background it
// draws on and a picture being fitted (at most as large).
inline constexpr std::uint64_t kCanvasCopiesPerWorker = 3;

// Bytes one pixel takes in the library's pixel cache (four 16-bit channels in this build).
std::uint64_t cachePixelBytes();

// The memory this process may use: the machine's, or its control group's when that is smaller.
std::uint64_t usableMemoryBytes();

// Limits for a machine with `memoryBytes`: half of it in memory and as much again mapped, and an image
// may be as large as fits there with the copies a rendering worker holds.
MagickLimits limitsForMachine(std::uint64_t memoryBytes);

// The policy file's text: one resource policy per limit, as plain numbers of bytes and pixels.
std::string policyDocument(const MagickLimits& limits);

// Writes the policy for this machine into a fresh private folder under `tempFolder` and puts that
// folder first in MAGICK_CONFIGURE_PATH. Returns the folder (empty when it could not be written).
// Call before the library starts, while the process has one thread; undo with removeProgramPolicy.
std::filesystem::path installProgramPolicy(const std::filesystem::path& tempFolder);

// Removes the folder again and gives MAGICK_CONFIGURE_PATH back its previous value.
void removeProgramPolicy(const std::filesystem::path& folder);

}  // namespace plazor
