#include "util/magick.h"

#include <filesystem>
#include <mutex>
#include <system_error>

#include "util/magick_limits.h"

namespace plazor {

void ensureMagickStarted() {
    static std::once_flag once;
    std::call_once(once, [] {
        // The library reads its policy files once, while it starts: the program's own, sized to this
        // machine, comes first and lifts the system policy's caps on canvas size and memory.
        std::error_code ec;
        const std::filesystem::path temp = std::filesystem::temp_directory_path(ec);
        const std::filesystem::path policy = ec ? std::filesystem::path() : installProgramPolicy(temp);
        MagickWandGenesis();
        removeProgramPolicy(policy);
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

std::string pixelWandError(PixelWand* wand) {
    ExceptionType severity;
    MagickBuffer<char> text(PixelGetException(wand, &severity));
    PixelClearException(wand);
    return text ? std::string(text.get()) : std::string();
}

WandFailure wandFailure(MagickWand* wand) {
    ExceptionType severity = UndefinedException;
    MagickBuffer<char> text(MagickGetException(wand, &severity));
    MagickClearException(wand);
    const bool outOfResources = severity == ResourceLimitWarning || severity == ResourceLimitError ||
                                severity == ResourceLimitFatalError || severity == CacheError ||
                                severity == CacheFatalError;
    return {text ? std::string(text.get()) : std::string(), outOfResources};
}

Wand readBlob(const std::string& bytes) {
    Wand wand = newWand();
    if (bytes.empty() || MagickReadImageBlob(wand.get(), bytes.data(), bytes.size()) == MagickFalse) {
        return nullptr;
    }
    return wand;
}

}  // namespace plazor
