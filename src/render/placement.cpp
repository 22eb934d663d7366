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

// "[0]" asks the library for the first frame only, so a long animation is neither walked nor decoded in
// full.
std::string firstFrameOf(const std::string& path) {
    return path + "[0]";
}

}  // namespace

SourceHeader pingSourcePicture(const std::string& path) {
    Wand header = newWand();
    SourceHeader result;
    if (MagickPingImage(header.get(), firstFrameOf(path).c_str()) == MagickFalse) {
        result.reason = wandError(header.get());
        if (result.reason.empty()) result.reason = "unreadable picture";
        return result;
    }
    const MagickSizeType width = MagickGetImageWidth(header.get());
    const MagickSizeType height = MagickGetImageHeight(header.get());
    if (!withinResourceLimits(width, height)) {
        result.reason = "picture size " + std::to_string(width) + " x " + std::to_string(height) +
                        " exceeds the image library's resource limits";
        return result;
    }
    result.width = static_cast<int>(width);
    result.height = static_cast<int>(height);
    result.orientation = static_cast<int>(MagickGetImageOrientation(header.get()));
    MagickBuffer<char> format(MagickGetImageFormat(header.get()));
    result.jpeg = format && std::string(format.get()) == "JPEG";
    result.cmyk = MagickGetImageColorspace(header.get()) == CMYKColorspace;
    return result;
}

SourcePicture readSourcePicture(const std::string& path) {
    const SourceHeader header = pingSourcePicture(path);
    if (!header.ok()) return {nullptr, header.reason};

    Wand picture = newWand();
    if (MagickReadImage(picture.get(), firstFrameOf(path).c_str()) == MagickFalse) {
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
