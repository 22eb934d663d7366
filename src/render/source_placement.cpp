#include "render/source_placement.h"

#include <algorithm>
#include <cstdint>
#include <optional>

#include "render/lanczos_resize.h"
#include "render/orientation.h"
#include "render/over8.h"
#include "render/placement.h"
#include "render/placement_geometry.h"
#include "render/scaled_jpeg.h"
#include "render/wand_pixels.h"

namespace plazor {
namespace {

// A stretch whose result is this many times the part that shows, and at least this large, is computed
// only where it shows: the full resize would cost minutes and gigabytes for a few visible pixels.
constexpr std::int64_t kWastedAreaFactor = 4;
constexpr std::int64_t kLargeResizeArea = 4'000'000;

std::int64_t areaOf(int w, int h) {
    return static_cast<std::int64_t>(w) * h;
}

// The part of the fitted picture (after its resize, before its crop) that lands on the target, and
// where its top-left corner goes. Nothing when the placement lies wholly outside the target.
struct ShownPart {
    CropRect region;  // in the resized picture's coordinates
    int x = 0, y = 0;
};

std::optional<ShownPart> shownPart(const PlacementPlan& plan, PixelSize fitted, PixelSize target) {
    const CropRect kept = plan.crop.value_or(CropRect{0, 0, fitted.width, fitted.height});
    // Target x of fitted pixel px is originX + px; sums in 64 bits as offsets come from the file.
    const std::int64_t originX = std::int64_t{plan.x} - kept.x, originY = std::int64_t{plan.y} - kept.y;
    const std::int64_t x0 = std::max<std::int64_t>(kept.x, -originX);
    const std::int64_t y0 = std::max<std::int64_t>(kept.y, -originY);
    const std::int64_t x1 = std::min<std::int64_t>(std::int64_t{kept.x} + kept.width, target.width - originX);
    const std::int64_t y1 =
        std::min<std::int64_t>(std::int64_t{kept.y} + kept.height, target.height - originY);
    if (x1 <= x0 || y1 <= y0) return std::nullopt;
    ShownPart part;
    part.region = {static_cast<int>(x0), static_cast<int>(y0), static_cast<int>(x1 - x0),
                   static_cast<int>(y1 - y0)};
    part.x = static_cast<int>(originX + x0);
    part.y = static_cast<int>(originY + y0);
    return part;
}

// The JPEG `bytes` decoded at the smallest DCT scale that is still at least `fitted` once upright.
std::optional<Pixels8> decodeScaledUpright(const std::string& bytes, const SourceHeader& header,
                                           PixelSize fitted) {
    const bool swap = orientationSwapsAxes(header.orientation);
    const PixelSize atLeast = swap ? PixelSize{fitted.height, fitted.width} : fitted;
    auto pixels = decodeJpegScaled(bytes, atLeast);
    if (!pixels) return std::nullopt;
    return turnUpright(std::move(*pixels), header.orientation);
}

// The picture decoded in full by the image library, upright, as 8-bit samples.
std::optional<Pixels8> decodeFullUpright(const std::string& bytes, std::string& reason,
                                         bool& outOfResources) {
    SourcePicture source = decodeSourceBytes(bytes);
    if (!source.ok()) {
        reason = source.error().reason;
        outOfResources = source.error().outOfResources;
        return std::nullopt;
    }
    MagickWand* wand = source->get();
    if (MagickAutoOrientImage(wand) == MagickFalse) {
        reason = wandError(wand);
        return std::nullopt;
    }
    Outcome<Pixels8> pixels = pixelsOf(wand);
    if (!pixels.ok()) {
        reason = pixels.error();
        return std::nullopt;
    }
    return std::move(*pixels);
}

SourcePlacement compositeRegion(Pixels8& target, const Pixels8& source, PixelSize fitted,
                                const ShownPart& part) {
    compositeOver(target, lanczosResizeRegion(source, fitted, part.region), part.x, part.y);
    return {};
}

// Fitted by the image library, then composited here.
SourcePlacement placeWholePicture(Pixels8& target, const std::string& bytes, const PasteLayer& layer) {
    const SourcePicture source = decodeSourceBytes(bytes);
    if (!source.ok())
        return fail(PlacementFailure{false, source.error().reason, source.error().outOfResources});
    const Outcome<std::optional<FitPosition>> fitted = fitPicture(source->get(), layer);
    if (!fitted.ok()) return fail(PlacementFailure{true, fitted.error()});
    if (!*fitted) return {};
    const Outcome<Pixels8> pixels = pixelsOf(source->get());
    if (!pixels.ok()) return fail(PlacementFailure{true, pixels.error()});
    compositeOver(target, *pixels, (*fitted)->x, (*fitted)->y);
    return {};
}

}  // namespace

SourcePlacement placeSourceFile(Pixels8& target, const std::string& path, const PasteLayer& layer,
                                DecodeMode mode, const std::atomic<int>* stop) {
    const Outcome<std::string> file = readSourceBytes(path, stop);
    if (!file.ok()) return fail(PlacementFailure{false, file.error()});
    const std::string& bytes = *file;
    const Outcome<SourceHeader, ReadFailure> pinged = pingSourceBytes(bytes);
    if (!pinged.ok())
        return fail(PlacementFailure{false, pinged.error().reason, pinged.error().outOfResources});
    const SourceHeader& header = *pinged;
    const bool swap = orientationSwapsAxes(header.orientation);
    const PixelSize upright =
        swap ? PixelSize{header.height, header.width} : PixelSize{header.width, header.height};
    const auto plan = planPlacement({layer.x, layer.y, layer.width, layer.height}, upright,
                                    layer.overflowStyle, layer.customize);
    if (!plan) return {};
    const PixelSize fitted = plan->resize.value_or(upright);
    const PixelSize canvas{target.width, target.height};
    const auto part = shownPart(*plan, fitted, canvas);
    if (!part) return {};  // nothing of it would show: not decoded at all
    if (!plan->resize) return placeWholePicture(target, bytes, layer);

    const bool shrunk = fitted.width < upright.width || fitted.height < upright.height;
    if (mode == DecodeMode::kScaled && shrunk && header.jpeg && !header.cmyk) {
        if (const auto pixels = decodeScaledUpright(bytes, header, fitted)) {
            return compositeRegion(target, *pixels, fitted, *part);
        }
    }
    const std::int64_t resized = areaOf(fitted.width, fitted.height);
    if (resized >= kLargeResizeArea &&
        resized > kWastedAreaFactor * areaOf(part->region.width, part->region.height)) {
        std::string reason;
        bool outOfResources = false;
        const auto pixels = decodeFullUpright(bytes, reason, outOfResources);
        if (!pixels) return fail(PlacementFailure{false, reason, outOfResources});
        return compositeRegion(target, *pixels, fitted, *part);
    }
    return placeWholePicture(target, bytes, layer);
}

}  // namespace plazor
