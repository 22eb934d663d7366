#include "render/placement.h"

#include "render/placement_geometry.h"
#include "util/picture_limits.h"
#include "util/regular_file.h"

namespace plazor {
namespace {

// A picture the library could not read for want of memory or disk is not an invalid picture.
ReadFailure failedRead(MagickWand* wand) {
    const WandFailure failure = wandFailure(wand);
    return {failure.text.empty() ? std::string("unreadable picture") : failure.text, failure.outOfResources};
}

// Far beyond any photo a camera writes; a larger file is not read into memory.
constexpr std::uint64_t kMaxSourceFileBytes = 512ull << 20;

bool withinResourceLimits(MagickSizeType width, MagickSizeType height) {
    return width <= MagickGetResourceLimit(WidthResource) &&
           height <= MagickGetResourceLimit(HeightResource) &&
           width * height <= MagickGetResourceLimit(AreaResource);
}

Status failure(MagickWand* wand) {
    return fail(wandError(wand));
}

}  // namespace

Outcome<std::string> readSourceBytes(const std::string& path, const std::atomic<int>* stop) {
    // The bytes are read here and decoded from memory, so that nothing in the name ("[...]", "png:")
    // is taken by the library as an instruction, and nothing but a regular file is ever opened.
    Outcome<std::string> file = readRegularFile(path, kMaxSourceFileBytes, stop);
    if (file.ok() && file->empty()) return fail("empty file");
    return file;
}

Outcome<SourceHeader, ReadFailure> pingSourceBytes(const std::string& bytes) {
    // "[0]" as the wand's name asks for the first frame only, so a long animation is neither walked nor
    // decoded in full.
    Wand header = newWand();
    MagickSetFilename(header.get(), "[0]");
    if (MagickPingImageBlob(header.get(), bytes.data(), bytes.size()) == MagickFalse) {
        return fail(failedRead(header.get()));
    }
    const MagickSizeType width = MagickGetImageWidth(header.get());
    const MagickSizeType height = MagickGetImageHeight(header.get());
    // The program's own limits first: they hold whatever the library would allow.
    if (!pictureWithinLimits(static_cast<std::int64_t>(width), static_cast<std::int64_t>(height))) {
        return fail(ReadFailure{
            pictureTooLargeReason(static_cast<std::int64_t>(width), static_cast<std::int64_t>(height))});
    }
    if (!withinResourceLimits(width, height)) {
        return fail(ReadFailure{"picture size " + std::to_string(width) + " x " + std::to_string(height) +
                                " exceeds the image library's resource limits"});
    }
    SourceHeader result;
    result.width = static_cast<int>(width);
    result.height = static_cast<int>(height);
    result.orientation = static_cast<int>(MagickGetImageOrientation(header.get()));
    MagickBuffer<char> format(MagickGetImageFormat(header.get()));
    result.jpeg = format && std::string(format.get()) == "JPEG";
    result.cmyk = MagickGetImageColorspace(header.get()) == CMYKColorspace;
    return result;
}

SourcePicture decodeSourceBytes(const std::string& bytes) {
    const Outcome<SourceHeader, ReadFailure> header = pingSourceBytes(bytes);
    if (!header.ok()) return fail(header.error());

    Wand picture = newWand();
    MagickSetFilename(picture.get(), "[0]");
    if (MagickReadImageBlob(picture.get(), bytes.data(), bytes.size()) == MagickFalse) {
        return fail(failedRead(picture.get()));
    }
    if (MagickGetImageColorspace(picture.get()) == CMYKColorspace &&
        MagickTransformImageColorspace(picture.get(), sRGBColorspace) == MagickFalse) {
        return fail(failedRead(picture.get()));
    }
    return picture;
}

SourcePicture readSourcePicture(const std::string& path, const std::atomic<int>* stop) {
    const Outcome<std::string> file = readSourceBytes(path, stop);
    if (!file.ok()) return fail(ReadFailure{file.error()});
    return decodeSourceBytes(*file);
}

Outcome<std::optional<FitPosition>> fitPicture(MagickWand* picture, const PasteLayer& layer) {
    if (MagickAutoOrientImage(picture) == MagickFalse) return fail(wandError(picture));
    const PixelSize size{static_cast<int>(MagickGetImageWidth(picture)),
                         static_cast<int>(MagickGetImageHeight(picture))};
    const auto plan = planPlacement({layer.x, layer.y, layer.width, layer.height}, size, layer.overflowStyle,
                                    layer.customize);
    if (!plan) return std::optional<FitPosition>();

    if (plan->resize && MagickResizeImage(picture, plan->resize->width, plan->resize->height, LanczosFilter,
                                          1.0) == MagickFalse) {
        return fail(wandError(picture));
    }
    if (plan->crop) {
        // With the page at the picture's own size and origin, the crop offset is relative to the picture.
        const PixelSize now = plan->resize.value_or(size);
        const CropRect& c = *plan->crop;
        if (MagickSetImagePage(picture, now.width, now.height, 0, 0) == MagickFalse ||
            MagickCropImage(picture, c.width, c.height, c.x, c.y) == MagickFalse ||
            MagickSetImagePage(picture, c.width, c.height, 0, 0) == MagickFalse) {
            return fail(wandError(picture));
        }
    }
    return std::optional<FitPosition>(FitPosition{plan->x, plan->y});
}

Status placePicture(MagickWand* target, MagickWand* picture, const PasteLayer& layer) {
    const Outcome<std::optional<FitPosition>> fitted = fitPicture(picture, layer);
    if (!fitted.ok()) return fail(fitted.error());
    if (!*fitted) return {};
    if (MagickCompositeImage(target, picture, OverCompositeOp, (*fitted)->x, (*fitted)->y) == MagickFalse) {
        return failure(target);
    }
    return {};
}

}  // namespace plazor
