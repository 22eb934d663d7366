#include "util/picture_limits.h"

namespace plazor {

bool pictureWithinLimits(std::int64_t width, std::int64_t height) {
    return width > 0 && height > 0 && width <= kMaxPictureSide && height <= kMaxPictureSide &&
           width * height <= kMaxPicturePixels;
}

std::string pictureTooLargeReason(std::int64_t width, std::int64_t height) {
    return "picture size " + std::to_string(width) + " x " + std::to_string(height) +
           " exceeds the limit of " + std::to_string(kMaxPictureSide) + " pixels a side and " +
           std::to_string(kMaxPicturePixels / 1000000) + " megapixels";
}

}  // namespace plazor
