#include "render/placement.h"

#include "render/placement_geometry.h"
#include "util/regular_file.h"

namespace plazor {
namespace {

// Far beyond any photo a camera writes; a larger file is not read into memory.
constexpr std::uint64_t kMaxSourceFileBytes = 512ull << 20;

bool withinResourceLimits(MagickSizeType width, MagickSizeType height) {
    return width <= MagickGetResourceLimit(WidthResource) &&
           height <= MagickGetResourceLimit(HeightResource) &&
           width * height <= MagickGetResourceLimit(AreaResource);
}

PlaceResult failure(MagickWand* wand) {
    return {false, wandError(wand)};
}

}  // namespace

SourcePicture readSourcePicture(const std::string& path, const std::atomic<int>* stop) {
    // The bytes are read here and decoded from memory, so that nothing in the name ("[...]", "png:")
    // is taken by the library as an instruction, and nothing but a regular file is ever opened.
    const RegularFileRead file = readRegularFile(path, kMaxSourceFileBytes, stop);
    if (!file.bytes) return {nullptr, file.reason};
    if (file.bytes->empty()) return {nullptr, "empty file"};
    const std::string& bytes = *file.bytes;

    // "[0]" as the wand's name asks for the first frame only, so a long animation is neither walked nor
    // decoded in full.
    Wand header = newWand();
    MagickSetFilename(header.get(), "[0]");
    if (MagickPingImageBlob(header.get(), bytes.data(), bytes.size()) == MagickFalse) {
        return {nullptr, wandError(header.get())};
    }
    const MagickSizeType width = MagickGetImageWidth(header.get());
    const MagickSizeType height = MagickGetImageHeight(header.get());
    if (!withinResourceLimits(width, height)) {
        return {nullptr, "picture size " + std::to_string(width) + " x " + std::to_string(height) +
                             " exceeds the image library's resource limits"};
    }

    Wand picture = newWand();
    MagickSetFilename(picture.get(), "[0]");
    if (MagickReadImageBlob(picture.get(), bytes.data(), bytes.size()) == MagickFalse) {
        return {nullptr, wandError(picture.get())};
    }
    if (MagickGetImageColorspace(picture.get()) == CMYKColorspace &&
        MagickTransformImageColorspace(picture.get(), sRGBColorspace) == MagickFalse) {
        return {nullptr, wandError(picture.get())};
    }
    return {std::move(picture), {}};
}

PlaceResult placePicture(MagickWand* target, MagickWand* picture, const PasteLayer& layer) {
    if (MagickAutoOrientImage(picture) == MagickFalse) return failure(picture);
    const PixelSize size{static_cast<int>(MagickGetImageWidth(picture)),
                         static_cast<int>(MagickGetImageHeight(picture))};
    const auto plan = planPlacement({layer.x, layer.y, layer.width, layer.height}, size, layer.overflowStyle,
                                    layer.customize);
    if (!plan) return {};

    if (plan->resize && MagickResizeImage(picture, plan->resize->width, plan->resize->height, LanczosFilter,
                                          1.0) == MagickFalse) {
        return failure(picture);
    }
    if (plan->crop) {
        // With the page at the picture's own size and origin, the crop offset is relative to the picture.
        const PixelSize now = plan->resize.value_or(size);
        const CropRect& c = *plan->crop;
        if (MagickSetImagePage(picture, now.width, now.height, 0, 0) == MagickFalse ||
            MagickCropImage(picture, c.width, c.height, c.x, c.y) == MagickFalse ||
            MagickSetImagePage(picture, c.width, c.height, 0, 0) == MagickFalse) {
            return failure(picture);
        }
    }
    if (MagickCompositeImage(target, picture, OverCompositeOp, plan->x, plan->y) == MagickFalse) {
        return failure(target);
    }
    return {};
}

}  // namespace plazor
