#include "render/batch_composer.h"

#include "render/placement.h"
#include "render/source_placement.h"
#include "util/colour.h"

namespace plazor {
namespace {

Wand filledCanvas(int width, int height, const std::string& colour) {
    Wand wand = newWand();
    PixelWandPtr fill(NewPixelWand());
    PixelSetColor(fill.get(), colour.c_str());
    MagickNewImage(wand.get(), static_cast<size_t>(width), static_cast<size_t>(height), fill.get());
    return wand;
}

Wand cloneOf(const Wand& wand) { return wand ? Wand(CloneMagickWand(wand.get())) : nullptr; }

}  // namespace

RunPictures::RunPictures(const Document& doc) {
    if (doc.background.kind == kPictureBackground) background_ = readBlob(doc.background.pictureData);
    if (!doc.settings.watermarkOpen) return;
    for (const WatermarkLayer& layer : doc.watermarks) watermarks_.push_back(readSourcePicture(layer.path).picture);
}

Wand RunPictures::background() const {
    std::lock_guard lock(mutex_);
    return cloneOf(background_);
}

Wand RunPictures::watermark(std::size_t i) const {
    std::lock_guard lock(mutex_);
    return i < watermarks_.size() ? cloneOf(watermarks_[i]) : nullptr;
}

Wand composeBatch(const Document& doc, const RunPictures& shared, const std::vector<std::string>& pictures,
                  DecodeMode mode, const std::atomic<int>& stop, const InfoSink& info) {
    const Background& bg = doc.background;
    const Settings& settings = doc.settings;

    // The base canvas carries the output's resolution; it is transparent only for transparent PNGs.
    const bool transparentBase = settings.format == kFormatPng && settings.transparent;
    Wand base = filledCanvas(bg.width, bg.height, transparentBase ? "none" : "#ffffff");
    MagickSetImageUnits(base.get(), PixelsPerInchResolution);
    MagickSetImageResolution(base.get(), bg.dpi, bg.dpi);

    Wand background = bg.kind == kPictureBackground ? shared.background() : nullptr;
    if (!background) {
        const bool clear = bg.kind == kColourBackground && bg.colourChoice == kColourTransparent;
        background = filledCanvas(bg.width, bg.height, clear ? "none" : colourText(bg.colour));
    }

    const std::size_t count = std::min(pictures.size(), doc.pasteLayers.size());
    for (std::size_t k = 0; k < count; ++k) {
        if (stop) return nullptr;
        const PasteLayer& layer = doc.pasteLayers[k];
        const SourcePlacement placed = placeSourceFile(
            layer.level == kBelowBackground ? base.get() : background.get(), pictures[k], layer, mode);
        if (!placed.readable) {
            info("无效图片:" + pictures[k] + "\n");
        } else if (!placed.ok) {
            info("无效图片:" + pictures[k] + "\n" + placed.reason);
        }
    }

    MagickCompositeImage(base.get(), background.get(), OverCompositeOp, 0, 0);
    background.reset();

    if (settings.watermarkOpen) {
        for (std::size_t i = 0; i < doc.watermarks.size(); ++i) {
            if (stop) return nullptr;
            const Wand mark = shared.watermark(i);
            if (!mark) {
                info("无效水印图片:" + doc.watermarks[i].path);
                continue;
            }
            MagickCompositeImage(base.get(), mark.get(), OverCompositeOp, doc.watermarks[i].x, doc.watermarks[i].y);
        }
    }
    return base;
}

}  // namespace plazor
