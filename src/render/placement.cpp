#include "render/placement.h"

#include "render/placement_geometry.h"
#include "util/picture_limits.h"
#include "util/regular_file.h"

namespace plazor {
namespace {

// A picture the library could not read for want of memory or disk is not an invalid picture.
SourcePicture failedRead(MagickWand* wand) {
    const WandFailure failure = wandFailure(wand);
    return {nullptr, failure.text.empty() ? std::string("unreadable picture") : failure.text,
            failure.outOfResources};
}

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

RegularFileRead readSourceBytes(const std::string& path, const std::atomic<int>* stop) {
    // The bytes are read here and decoded from memory, so that nothing in the name ("[...]", "png:")
    // is taken by the library as an instruction, and nothing but a regular file is ever opened.
    RegularFileRead file = readRegularFile(path, kMaxSourceFileBytes, stop);
    if (file.bytes && file.bytes->empty()) return {std::nullopt, "empty file"};
    return file;
}

SourceHeader pingSourceBytes(const std::string& bytes) {
    // "[0]" as the wand's name asks for the first frame only, so a long animation is neither walked nor
    // decoded in full.
    Wand header = newWand();
    MagickSetFilename(header.get(), "[0]");
    SourceHeader result;
    if (MagickPingImageBlob(header.get(), bytes.data(), bytes.size()) == MagickFalse) {
        const WandFailure failure = wandFailure(header.get());
        result.reason = failure.text.empty() ? std::string("unreadable picture") : failure.text;
        result.outOfResources = failure.outOfResources;
        return result;
    }
    const MagickSizeType width = MagickGetImageWidth(header.get());
    const MagickSizeType height = MagickGetImageHeight(header.get());
    // The program's own limits first: they hold whatever the library would allow.
    if (!pictureWithinLimits(static_cast<std::int64_t>(width), static_cast<std::int64_t>(height))) {
        result.reason =
            pictureTooLargeReason(static_cast<std::int64_t>(width), static_cast<std::int64_t>(height));
        return result;
    }
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

SourcePicture decodeSourceBytes(const std::string& bytes) {
    const SourceHeader header = pingSourceBytes(bytes);
    if (!header.ok()) return {nullptr, header.reason, header.outOfResources};

    Wand picture = newWand();
    MagickSetFilename(picture.get(), "[0]");
    if (MagickReadImageBlob(picture.get(), bytes.data(), bytes.size()) == MagickFalse) {
        return failedRead(picture.get());
    }
    if (MagickGetImageColorspace(picture.get()) == CMYKColorspace &&
        MagickTransformImageColorspace(picture.get(), sRGBColorspace) == MagickFalse) {
        return failedRead(picture.get());
    }
    return {std::move(picture), {}};
}

SourcePicture readSourcePicture(const std::string& path, const std::atomic<int>* stop) {
    const RegularFileRead file = readSourceBytes(path, stop);
    if (!file.bytes) return {nullptr, file.reason};
    return decodeSourceBytes(*file.bytes);
}

FitResult fitPicture(MagickWand* picture, const PasteLayer& layer) {
    const auto failed = [picture] { return FitResult{false, wandError(picture)}; };
    if (MagickAutoOrientImage(picture) == MagickFalse) return failed();
    const PixelSize size{static_cast<int>(MagickGetImageWidth(picture)),
                         static_cast<int>(MagickGetImageHeight(picture))};
    const auto plan = planPlacement({layer.x, layer.y, layer.width, layer.height}, size, layer.overflowStyle,
                                    layer.customize);
    if (!plan) return {};

    if (plan->resize && MagickResizeImage(picture, plan->resize->width, plan->resize->height, LanczosFilter,
                                          1.0) == MagickFalse) {
        return failed();
    }
    if (plan->crop) {
        // With the page at the picture's own size and origin, the crop offset is relative to the picture.
        const PixelSize now = plan->resize.value_or(size);
        const CropRect& c = *plan->crop;
        if (MagickSetImagePage(picture, now.width, now.height, 0, 0) == MagickFalse ||
            MagickCropImage(picture, c.width, c.height, c.x, c.y) == MagickFalse ||
            MagickSetImagePage(picture, c.width, c.height, 0, 0) == MagickFalse) {
            return failed();
        }
    }
    return {true, {}, true, plan->x, plan->y};
}

PlaceResult placePicture(MagickWand* target, MagickWand* picture, const PasteLayer& layer) {
    const FitResult fitted = fitPicture(picture, layer);
    if (!fitted.ok) return {false, fitted.reason};
    if (!fitted.shows) return {};
    if (MagickCompositeImage(target, picture, OverCompositeOp, fitted.x, fitted.y) == MagickFalse) {
        return failure(target);
    }
    return {};
}

}  // namespace plazor
