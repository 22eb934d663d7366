#include "render/wand_pixels.h"

namespace plazor {

std::optional<Pixels8> pixelsOf(MagickWand* wand, std::string& reason) {
    const bool alpha = MagickGetImageAlphaChannel(wand) == MagickTrue;
    Pixels8 pixels(static_cast<int>(MagickGetImageWidth(wand)), static_cast<int>(MagickGetImageHeight(wand)),
                   alpha ? 4 : 3);
    if (MagickExportImagePixels(wand, 0, 0, static_cast<size_t>(pixels.width),
                                static_cast<size_t>(pixels.height), alpha ? "RGBA" : "RGB", CharPixel,
                                pixels.data.data()) == MagickFalse) {
        reason = wandError(wand);
        return std::nullopt;
    }
    return pixels;
}

Wand wandOf(const Pixels8& pixels, int dpi, std::string& reason) {
    Wand wand = newWand();
    if (MagickConstituteImage(wand.get(), static_cast<size_t>(pixels.width),
                              static_cast<size_t>(pixels.height), pixels.channels == 4 ? "RGBA" : "RGB",
                              CharPixel, pixels.data.data()) == MagickFalse ||
        MagickSetImageUnits(wand.get(), PixelsPerInchResolution) == MagickFalse ||
        MagickSetImageResolution(wand.get(), dpi, dpi) == MagickFalse) {
        reason = wandError(wand.get());
        return nullptr;
    }
    return wand;
}

}  // namespace plazor
