#include "render/batch_composer.h"

#include <algorithm>
#include <new>

#include "render/canvas_budget.h"
#include "render/over8.h"
#include "render/placement.h"
#include "render/source_placement.h"
#include "render/wand_pixels.h"
#include "template/names.h"

namespace plazor {
namespace {

InfoLine canvasFailureLine(int width, int height, const std::string& reason) {
    return spacedLine("创建 " + std::to_string(width) + " x " + std::to_string(height) +
                      " 像素的画布时发生错误:\n" + reason);
}

// A picture that was read but could not be fitted or composited is not an invalid picture: the
// library ran out of something, and the line says so.
InfoLine placeFailureLine(const std::string& path, int layerNumber, const std::string& reason) {
    return spacedLine("图片 '" + path + "' 未能放入 " + pasteLayerName(layerNumber) + ":\n" + reason);
}

InfoLine readFailureLine(const std::string& path, const PlacementFailure& placed) {
    if (!placed.outOfResources) return spacedLine("无效图片:" + path);
    return spacedLine("图片 '" + path + "' 因图片库资源不足未能读取:\n" + placed.reason);
}

// A watermark that was read but could not be composited (the library ran out of something).
InfoLine watermarkFailureLine(const WatermarkLayer& layer, const std::string& reason) {
    return spacedLine("水印图片 '" + layer.path + "' 未能放入 " + watermarkLayerName(layer.number) + ":\n" +
                      reason);
}

}  // namespace

RunPictures::RunPictures(const Document& doc, std::uint64_t watermarkBytes) : watermarks_(watermarkBytes) {
    if (doc.background.kind != kPictureBackground) return;
    const Wand picture = readBlob(doc.background.pictureData);
    if (!picture) return;
    Outcome<Pixels8> pixels = pixelsOf(picture.get());
    if (pixels.ok()) background_ = std::move(*pixels);
}

Wand RunPictures::watermark(const std::string& path) const {
    return watermarks_.picture(path);
}

namespace {

constexpr const char* kNoMemory = "memory allocation failed";

// The batch's pictures on their canvases; a picture that cannot be placed gives its info line and
// the batch goes on.
void placePictures(const Document& doc, const std::vector<std::string>& pictures, DecodeMode mode,
                   const std::atomic<int>& stop, const InfoSink& info, Pixels8* base, Pixels8& background) {
    const std::size_t count = std::min(pictures.size(), doc.pasteLayers.size());
    for (std::size_t k = 0; k < count && !stop; ++k) {
        const PasteLayer& layer = doc.pasteLayers[k];
        Pixels8& target = layer.level == kBelowBackground ? *base : background;
        const SourcePlacement placed = placeSourceFile(target, pictures[k], layer, mode, &stop);
        if (placed.ok()) continue;
        if (!placed.error().readable) {
            info(readFailureLine(pictures[k], placed.error()));
        } else {
            info(placeFailureLine(pictures[k], layer.number, placed.error().reason));
        }
    }
}

Pixels8 colourBackground(const Background& bg) {
    if (bg.kind == kColourBackground && bg.colourChoice == kColourTransparent)
        return filledPixels(bg.width, bg.height, 4, 0, 0, 0, 0);
    return filledPixels(bg.width, bg.height, 3, static_cast<std::uint8_t>(bg.colour & 0xFF),
                        static_cast<std::uint8_t>(bg.colour >> 8 & 0xFF),
                        static_cast<std::uint8_t>(bg.colour >> 16 & 0xFF));
}

}  // namespace

ComposedBatch composeBatch(const Document& doc, const RunPictures& shared,
                           const std::vector<std::string>& pictures, DecodeMode mode,
                           const std::atomic<int>& stop, const InfoSink& info) {
    const Background& bg = doc.background;
    const Settings& settings = doc.settings;
    // The canvases stay within the memory the image library is allowed for pictures at this moment.
    if (const auto problem = canvasLimitProblem(bg.width, bg.height)) {
        info(canvasFailureLine(bg.width, bg.height, *problem));
        return {};
    }
    try {
        const bool pictureBackground = bg.kind == kPictureBackground && shared.background();
        Pixels8 background = pictureBackground ? *shared.background() : colourBackground(bg);
        // An opaque background that covers the whole canvas hides the base: the base is needed only
        // for layers below the background or where the background lets it show.
        const bool covers =
            background.channels == 3 && background.width >= bg.width && background.height >= bg.height;
        const bool below = std::any_of(doc.pasteLayers.begin(), doc.pasteLayers.end(),
                                       [](const PasteLayer& l) { return l.level == kBelowBackground; });
        std::optional<Pixels8> base;
        if (!covers || below || background.width != bg.width || background.height != bg.height) {
            // The base canvas is transparent only for transparent PNGs.
            const bool transparentBase = settings.format == kFormatPng && settings.transparent;
            base = transparentBase ? filledPixels(bg.width, bg.height, 4, 0, 0, 0, 0)
                                   : filledPixels(bg.width, bg.height, 3, 255, 255, 255);
        }
        placePictures(doc, pictures, mode, stop, info, base ? &*base : nullptr, background);
        if (stop) return {std::nullopt, true};
        if (base) {
            compositeOver(*base, background, 0, 0);
        } else {
            base = std::move(background);
        }

        if (settings.watermarkOpen) {
            for (const WatermarkLayer& layer : doc.watermarks) {
                if (stop) return {std::nullopt, true};
                const Wand mark = shared.watermark(layer.path);
                if (!mark) {
                    info("无效水印图片:" + layer.path);
                    continue;
                }
                const Outcome<Pixels8> pixels = pixelsOf(mark.get());
                if (!pixels.ok()) {
                    info(watermarkFailureLine(layer, pixels.error()));
                    continue;
                }
                compositeOver(*base, *pixels, layer.x, layer.y);
            }
        }
        return {std::move(base), false};
    } catch (const std::bad_alloc&) {
        info(canvasFailureLine(bg.width, bg.height, kNoMemory));
        return {};
    }
}

}  // namespace plazor
