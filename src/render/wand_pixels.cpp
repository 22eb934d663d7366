#include "render/wand_pixels.h"

namespace plazor {

Outcome<Pixels8> pixelsOf(MagickWand* wand) {
    const bool alpha = MagickGetImageAlphaChannel(wand) == MagickTrue;
    Pixels8 pixels(static_cast<int>(MagickGetImageWidth(wand)), static_cast<int>(MagickGetImageHeight(wand)),
                   alpha ? 4 : 3);
    if (MagickExportImagePixels(wand, 0, 0, static_cast<size_t>(pixels.width),
                                static_cast<size_t>(pixels.height), alpha ? "RGBA" : "RGB", CharPixel,
                                pixels.data.data()) == MagickFalse) {
        return fail(wandError(wand));
    }
    return pixels;
}

Outcome<Wand> wandOf(const Pixels8& pixels, int dpi) {
    Wand wand = newWand();
    if (MagickConstituteImage(wand.get(), static_cast<size_t>(pixels.width),
                              static_cast<size_t>(pixels.height), pixels.channels == 4 ? "RGBA" : "RGB",
                              CharPixel, pixels.data.data()) == MagickFalse ||
        MagickSetImageUnits(wand.get(), PixelsPerInchResolution) == MagickFalse ||
        MagickSetImageResolution(wand.get(), dpi, dpi) == MagickFalse) {
        return fail(wandError(wand.get()));
    }
    return wand;
}

}  // namespace plazor
