#include "render/placement.h"

#include "render/placement_geometry.h"
#include "util/picture_limits.h"

namespace plazor {
namespace {

// A picture the library could not read for want of memory or disk is not an invalid picture.
SourcePicture failedRead(MagickWand* wand) {
    const WandFailure failure = wandFailure(wand);
    return {nullptr, failure.text, failure.outOfResources};
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
    if (MagickPingImage(header.get(), firstFrame.c_str()) == MagickFalse) return failedRead(header.get());
    const auto width = static_cast<std::int64_t>(MagickGetImageWidth(header.get()));
    const auto height = static_cast<std::int64_t>(MagickGetImageHeight(header.get()));
    if (!pictureWithinLimits(width, height)) return {nullptr, pictureTooLargeReason(width, height)};

    Wand picture = newWand();
    if (MagickReadImage(picture.get(), firstFrame.c_str()) == MagickFalse) return failedRead(picture.get());
    if (MagickGetImageColorspace(picture.get()) == CMYKColorspace &&
        MagickTransformImageColorspace(picture.get(), sRGBColorspace) == MagickFalse) {
        return failedRead(picture.get());
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
