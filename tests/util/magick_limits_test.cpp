// The image library starts with the program's own policy: limits sized to the machine replace the
// system policy's caps, and nothing of the policy file is left behind.
#include "util/magick_limits.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "util/magick.h"
#include "util/picture_limits.h"

namespace plazor {
namespace {

TEST(MagickLimits, TheLibraryRunsWithTheMachinesLimitsAndTheEnvironmentIsRestored) {
    const char* before = std::getenv("MAGICK_CONFIGURE_PATH");
    const std::string saved = before ? before : "(unset)";
    ensureMagickStarted();
    const char* after = std::getenv("MAGICK_CONFIGURE_PATH");
    EXPECT_EQ(after ? after : "(unset)", saved);

    const MagickLimits wanted = limitsForMachine(usableMemoryBytes());
    EXPECT_EQ(MagickGetResourceLimit(MemoryResource), wanted.memory);
    EXPECT_EQ(MagickGetResourceLimit(MapResource), wanted.map);
    EXPECT_EQ(MagickGetResourceLimit(WidthResource), wanted.width);
    EXPECT_EQ(MagickGetResourceLimit(HeightResource), wanted.height);
    // The system's coder policy still holds: PostScript stays refused.
    Wand wand = newWand();
    EXPECT_EQ(MagickReadImage(wand.get(), "ps:/dev/null"), MagickFalse);
}

TEST(MagickLimits, EveryMachineGetsRoomForTheLargestPictureAndAWorkersCanvases) {
    for (std::uint64_t gib : {1, 4, 24, 256}) {
        const MagickLimits limits = limitsForMachine(gib << 30);
        EXPECT_EQ(limits.memory + limits.map, gib << 30);
        EXPECT_GE(limits.width, std::uint64_t(kMaxPictureSide));
        EXPECT_GE(limits.height, std::uint64_t(kMaxPictureSide));
        EXPECT_LE(limits.area * cachePixelBytes() * kCanvasCopiesPerWorker, limits.memory + limits.map);
        EXPECT_GE(limits.disk, limits.memory);
        const std::string policy = policyDocument(limits);
        EXPECT_NE(policy.find("name=\"memory\" value=\"" + std::to_string(limits.memory) + "\""),
                  std::string::npos);
    }
}

}  // namespace
}  // namespace plazor
