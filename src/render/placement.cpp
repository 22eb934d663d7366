#include "render/placement.h"

#include "render/placement_geometry.h"

namespace plazor {
namespace {

bool withinResourceLimits(MagickSizeType width, MagickSizeType height) {
    return width <= MagickGetResourceLimit(WidthResource) &&
           height <= MagickGetResourceLimit(HeightResource) &&
           width * height <= MagickGetResourceLimit(AreaResource);
}

PlaceResult failure(MagickWand* wand) {
    return {false, wandError(wand)};
}

}  // namespace

SourcePicture readSourcePicture(const std::string& path) {
    // "[0]" asks the library for the first frame only, so a long animation is neither walked nor decoded
    // in full.
    const std::string firstFrame = path + "[0]";
    Wand header = newWand();
    if (MagickPingImage(header.get(), firstFrame.c_str()) == MagickFalse) {
        return {nullptr, wandError(header.get())};
    }
    const MagickSizeType width = MagickGetImageWidth(header.get());
    const MagickSizeType height = MagickGetImageHeight(header.get());
    if (!withinResourceLimits(width, height)) {
        return {nullptr, "picture size " + std::to_string(width) + " x " + std::to_string(height) +
                             " exceeds the image library's resource limits"};
    }

    Wand picture = newWand();
    if (MagickReadImage(picture.get(), firstFrame.c_str()) == MagickFalse) {
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
