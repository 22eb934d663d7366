#include "render/canvas_budget.h"

#include <cstdio>

#include "util/magick.h"
#include "util/magick_limits.h"

namespace plazor {

std::uint64_t canvasBytes(int width, int height) {
    if (width <= 0 || height <= 0) return 0;
    return std::uint64_t(width) * std::uint64_t(height) * cachePixelBytes();
}

std::string byteSizeText(std::uint64_t bytes) {
    constexpr double kMiB = 1024.0 * 1024.0;
    char text[32];
    if (bytes >= 1024ull * 1024 * 1024) {
        std::snprintf(text, sizeof text, "%.1f GiB", bytes / (kMiB * 1024.0));
    } else {
        std::snprintf(text, sizeof text, "%.0f MiB", bytes / kMiB);
    }
    return text;
}

std::optional<std::string> canvasLimitProblem(int width, int height) {
    ensureMagickStarted();
    const std::string size = std::to_string(width) + " x " + std::to_string(height) + " 像素";
    const MagickSizeType maxWidth = MagickGetResourceLimit(WidthResource);
    const MagickSizeType maxHeight = MagickGetResourceLimit(HeightResource);
    if (MagickSizeType(width) > maxWidth || MagickSizeType(height) > maxHeight) {
        return "【背景层】尺寸 " + size + " 超出图片库的限制（最大 " + std::to_string(maxWidth) + " x " +
               std::to_string(maxHeight) + " 像素）";
    }
    const std::uint64_t needed = canvasBytes(width, height) * kCanvasCopiesPerWorker;
    const std::uint64_t room = libraryMemoryBytes() + MagickGetResourceLimit(DiskResource);
    if (needed > room) {
        return "【背景层】尺寸 " + size + " 的画布需要 " + byteSizeText(needed) + "，超出图片库可用的 " +
               byteSizeText(room);
    }
    return std::nullopt;
}

int workersThatFit(int requested, std::uint64_t perWorkerBytes, std::uint64_t sharedBytes,
                   std::uint64_t memoryBytes) {
    if (requested <= 1 || perWorkerBytes == 0) return requested < 1 ? 1 : requested;
    if (sharedBytes >= memoryBytes) return 1;
    const std::uint64_t fit = (memoryBytes - sharedBytes) / perWorkerBytes;
    if (fit <= 1) return 1;
    return fit < std::uint64_t(requested) ? static_cast<int>(fit) : requested;
}

std::uint64_t libraryMemoryBytes() {
    ensureMagickStarted();
    return MagickGetResourceLimit(MemoryResource) + MagickGetResourceLimit(MapResource);
}

}  // namespace plazor
