#include "render/png8.h"

#include <libimagequant.h>
#include <lodepng.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <vector>

#include "util/atomic_file.h"
#include "util/product.h"

namespace plazor {
namespace {

struct LiqAttrDeleter {
    void operator()(liq_attr* p) const { liq_attr_destroy(p); }
};
struct LiqImageDeleter {
    void operator()(liq_image* p) const { liq_image_destroy(p); }
};
struct LiqResultDeleter {
    void operator()(liq_result* p) const { liq_result_destroy(p); }
};
// LodePNG hands out buffers from malloc.
struct MallocDeleter {
    void operator()(unsigned char* p) const { std::free(p); }
};

class LodeState {
  public:
    LodeState() { lodepng_state_init(&state_); }
    ~LodeState() { lodepng_state_cleanup(&state_); }
    LodeState(const LodeState&) = delete;
    LodeState& operator=(const LodeState&) = delete;
    LodePNGState* get() { return &state_; }

  private:
    LodePNGState state_;
};

// Every PNG-8 failure sends the user to customer service.
std::string supportMessage(const std::string& head) {
    return head + "\n---请进入官方网站 " + product::kSiteAddress + " 联系我们的客服。";
}

Failure<std::string> encodeFailure(const std::string& head) {
    return fail(supportMessage(head));
}

void setPalette(LodePNGColorMode& mode, const liq_palette& palette) {
    mode.colortype = LCT_PALETTE;
    mode.bitdepth = 8;
    for (unsigned i = 0; i < palette.count; ++i) {
        const liq_color& c = palette.entries[i];
        lodepng_palette_add(&mode, c.r, c.g, c.b, c.a);
    }
}

}  // namespace

std::optional<PixelsPerMetre> pixelsPerMetre(double xResolution, double yResolution, ResolutionType units) {
    if (xResolution <= 0 || yResolution <= 0) return std::nullopt;
    double factor = 0;
    if (units == PixelsPerInchResolution) factor = 1 / 0.0254;
    if (units == PixelsPerCentimeterResolution) factor = 100;
    if (factor == 0) return std::nullopt;
    return PixelsPerMetre{static_cast<unsigned>(std::lround(xResolution * factor)),
                          static_cast<unsigned>(std::lround(yResolution * factor))};
}

Outcome<std::string> encodePng8(MagickWand* picture, int colourCount) {
    const size_t width = MagickGetImageWidth(picture);
    const size_t height = MagickGetImageHeight(picture);
    std::vector<unsigned char> rgba(width * height * 4);
    if (rgba.empty() || MagickExportImagePixels(picture, 0, 0, width, height, "RGBA", CharPixel,
                                                rgba.data()) == MagickFalse) {
        return encodeFailure("MagickExportImagePixels() error.");
    }

    const std::unique_ptr<liq_attr, LiqAttrDeleter> attr(liq_attr_create());
    if (attr && colourCount >= 2 && colourCount <= 256) liq_set_max_colors(attr.get(), colourCount);
    const std::unique_ptr<liq_image, LiqImageDeleter> image(
        attr ? liq_image_create_rgba(attr.get(), rgba.data(), static_cast<int>(width),
                                     static_cast<int>(height), 0)
             : nullptr);
    liq_result* quantized = nullptr;
    if (!image || liq_image_quantize(image.get(), attr.get(), &quantized) != LIQ_OK) {
        return encodeFailure("liq_image_quantize() error.");
    }
    const std::unique_ptr<liq_result, LiqResultDeleter> result(quantized);

    liq_set_dithering_level(result.get(), 1.0f);
    std::vector<unsigned char> indices(width * height);
    if (liq_write_remapped_image(result.get(), image.get(), indices.data(), indices.size()) != LIQ_OK) {
        return encodeFailure("liq_write_remapped_image() error.");
    }

    // The palette is read after remapping, which refines it.
    const liq_palette& palette = *liq_get_palette(result.get());
    LodeState state;
    setPalette(state.get()->info_raw, palette);
    setPalette(state.get()->info_png.color, palette);
    // Without this the encoder may pick another colour type (grey, or fewer bits) on its own.
    state.get()->encoder.auto_convert = 0;
    double xResolution = 0, yResolution = 0;
    MagickGetImageResolution(picture, &xResolution, &yResolution);
    if (const auto phys = pixelsPerMetre(xResolution, yResolution, MagickGetImageUnits(picture))) {
        state.get()->info_png.phys_defined = 1;
        state.get()->info_png.phys_x = phys->x;
        state.get()->info_png.phys_y = phys->y;
        state.get()->info_png.phys_unit = 1;
    }

    unsigned char* out = nullptr;
    size_t outSize = 0;
    const unsigned error = lodepng_encode(&out, &outSize, indices.data(), static_cast<unsigned>(width),
                                          static_cast<unsigned>(height), state.get());
    const std::unique_ptr<unsigned char, MallocDeleter> encoded(out);
    if (error != 0) return encodeFailure(std::string("lodepng_encode() error: ") + lodepng_error_text(error));
    return std::string(reinterpret_cast<const char*>(encoded.get()), outSize);
}

Status writePng8(MagickWand* picture, int colourCount, const std::filesystem::path& path) {
    Outcome<std::string> encoded = encodePng8(picture, colourCount);
    if (!encoded.ok()) return fail(std::move(encoded).error());
    const Outcome<void, WriteFailure> written = writeFileAtomically(path, *encoded, Flush::kLater);
    if (written.ok()) return {};
    const bool opening = written.error().stage == WriteFailure::kOpen;
    return fail(supportMessage((opening ? "fopen() error: " : "fwrite() error: ") + path.string()));
}

}  // namespace plazor
