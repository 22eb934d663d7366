#include "render/batch_composer.h"

#include "render/placement.h"
#include "render/source_placement.h"
#include "template/names.h"
#include "util/colour.h"

namespace plazor {
namespace {

// A new picture of one colour; nothing, with the library's reason, when it cannot be made (a canvas
// beyond the library's memory and disk).
Wand filledCanvas(int width, int height, const std::string& colour, std::string& error) {
    Wand wand = newWand();
    PixelWandPtr fill(NewPixelWand());
    if (PixelSetColor(fill.get(), colour.c_str()) == MagickFalse) {
        error = pixelWandError(fill.get());
        return nullptr;
    }
    if (MagickNewImage(wand.get(), static_cast<size_t>(width), static_cast<size_t>(height), fill.get()) ==
        MagickFalse) {
        error = wandError(wand.get());
        return nullptr;
    }
    return wand;
}

Wand cloneOf(const Wand& wand) {
    return wand ? Wand(CloneMagickWand(wand.get())) : nullptr;
}

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
    if (doc.background.kind == kPictureBackground) background_ = readBlob(doc.background.pictureData);
}

Wand RunPictures::background() const {
    std::lock_guard lock(mutex_);
    return cloneOf(background_);
}

Wand RunPictures::watermark(const std::string& path) const {
    return watermarks_.picture(path);
}

ComposedBatch composeBatch(const Document& doc, const RunPictures& shared,
                           const std::vector<std::string>& pictures, DecodeMode mode,
                           const std::atomic<int>& stop, const InfoSink& info) {
    const Background& bg = doc.background;
    const Settings& settings = doc.settings;

    // The base canvas carries the output's resolution; it is transparent only for transparent PNGs.
    const bool transparentBase = settings.format == kFormatPng && settings.transparent;
    std::string error;
    Wand base = filledCanvas(bg.width, bg.height, transparentBase ? "none" : "#ffffff", error);
    if (!base) {
        info(canvasFailureLine(bg.width, bg.height, error));
        return {};
    }
    if (MagickSetImageUnits(base.get(), PixelsPerInchResolution) == MagickFalse ||
        MagickSetImageResolution(base.get(), bg.dpi, bg.dpi) == MagickFalse) {
        info(canvasFailureLine(bg.width, bg.height, wandError(base.get())));
        return {};
    }

    Wand background = bg.kind == kPictureBackground ? shared.background() : nullptr;
    if (!background) {
        const bool clear = bg.kind == kColourBackground && bg.colourChoice == kColourTransparent;
        background = filledCanvas(bg.width, bg.height, clear ? "none" : colourText(bg.colour), error);
        if (!background) {
            info(canvasFailureLine(bg.width, bg.height, error));
            return {};
        }
    }

    const std::size_t count = std::min(pictures.size(), doc.pasteLayers.size());
    for (std::size_t k = 0; k < count; ++k) {
        if (stop) return {nullptr, true};
        const PasteLayer& layer = doc.pasteLayers[k];
        const SourcePlacement placed = placeSourceFile(
            layer.level == kBelowBackground ? base.get() : background.get(), pictures[k], layer, mode, &stop);
        if (placed.ok()) continue;
        if (!placed.error().readable) {
            info(readFailureLine(pictures[k], placed.error()));
        } else {
            info(placeFailureLine(pictures[k], layer.number, placed.error().reason));
        }
    }

    if (MagickCompositeImage(base.get(), background.get(), OverCompositeOp, 0, 0) == MagickFalse) {
        info(canvasFailureLine(bg.width, bg.height, wandError(base.get())));
        return {};
    }
    background.reset();

    if (settings.watermarkOpen) {
        for (const WatermarkLayer& layer : doc.watermarks) {
            if (stop) return {nullptr, true};
            const Wand mark = shared.watermark(layer.path);
            if (!mark) {
                info("无效水印图片:" + layer.path);
                continue;
            }
            if (MagickCompositeImage(base.get(), mark.get(), OverCompositeOp, layer.x, layer.y) ==
                MagickFalse)
                info(watermarkFailureLine(layer, wandError(base.get())));
        }
    }
    return {std::move(base), false};
}

}  // namespace plazor
