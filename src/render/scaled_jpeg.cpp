#include "render/scaled_jpeg.h"

#include <turbojpeg.h>

#include <memory>

namespace plazor {
namespace {

struct TjDeleter {
    void operator()(void* handle) const { tjDestroy(handle); }
};
using TjHandle = std::unique_ptr<void, TjDeleter>;

}  // namespace

PixelSize scaledSize(PixelSize full, DctScale s) {
    const tjscalingfactor f{s.num, s.denom};
    return {TJSCALED(full.width, f), TJSCALED(full.height, f)};
}

DctScale smallestDctScale(PixelSize full, PixelSize atLeast) {
    int count = 0;
    const tjscalingfactor* factors = tjGetScalingFactors(&count);
    DctScale best;
    for (int i = 0; factors && i < count; ++i) {
        const DctScale s{factors[i].num, factors[i].denom};
        if (s.num >= s.denom || s.num * best.denom >= best.num * s.denom) continue;
        const PixelSize size = scaledSize(full, s);
        if (size.width >= atLeast.width && size.height >= atLeast.height) best = s;
    }
    return best;
}

std::optional<Pixels8> decodeJpegScaled(std::string_view bytes, PixelSize atLeast) {
    TjHandle tj(tjInitDecompress());
    if (!tj) return std::nullopt;
    auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    int width = 0, height = 0, subsampling = 0, colourspace = 0;
    if (tjDecompressHeader3(tj.get(), data, bytes.size(), &width, &height, &subsampling, &colourspace) != 0) {
        return std::nullopt;
    }
    if (colourspace != TJCS_YCbCr && colourspace != TJCS_GRAY && colourspace != TJCS_RGB) return std::nullopt;
    const PixelSize size = scaledSize({width, height}, smallestDctScale({width, height}, atLeast));
    Pixels8 pixels(size.width, size.height, 3);
    if (tjDecompress2(tj.get(), data, bytes.size(), pixels.data.data(), size.width, 0, size.height, TJPF_RGB,
                      0) != 0) {
        return std::nullopt;  // warnings too: a damaged picture takes the ordinary path and its messages
    }
    return pixels;
}

}  // namespace plazor
