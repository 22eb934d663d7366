#include "util/magick.h"

#include <mutex>

namespace plazor {

void ensureMagickStarted() {
    static std::once_flag once;
    std::call_once(once, [] {
        MagickWandGenesis();
        // Below the system policy's maxima (16K x 16K, 128 megapixels, 256 MiB memory, 512 MiB map,
        // 1 GiB disk): a picture beyond them is refused as unreadable instead of swapping for minutes.
        MagickSetResourceLimit(WidthResource, 16000);
        MagickSetResourceLimit(HeightResource, 16000);
        MagickSetResourceLimit(AreaResource, 100ull * 1000 * 1000);
        MagickSetResourceLimit(MemoryResource, 256ull * 1024 * 1024);
        MagickSetResourceLimit(MapResource, 512ull * 1024 * 1024);
        MagickSetResourceLimit(DiskResource, 1024ull * 1024 * 1024);
    });
}

Wand newWand() {
    ensureMagickStarted();
    return Wand(NewMagickWand());
}

std::string wandError(MagickWand* wand) {
    ExceptionType severity;
    MagickBuffer<char> text(MagickGetException(wand, &severity));
    MagickClearException(wand);
    return text ? std::string(text.get()) : std::string();
}

Wand readBlob(const std::string& bytes) {
    Wand wand = newWand();
    if (bytes.empty() || MagickReadImageBlob(wand.get(), bytes.data(), bytes.size()) == MagickFalse) {
        return nullptr;
    }
    return wand;
}

}  // namespace plazor
