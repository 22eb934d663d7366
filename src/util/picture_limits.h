// The program's own guard against decompression bombs: a picture it reads (source, watermark or
// background) is pinged first and refused beyond these limits, whatever the image library would
// allow. The canvas is not a picture read from a file: it may be as large as the library allows.
#pragma once

#include <cstdint>
#include <string>

namespace plazor {

inline constexpr std::int64_t kMaxPictureSide = 30000;
inline constexpr std::int64_t kMaxPicturePixels = 100'000'000;

bool pictureWithinLimits(std::int64_t width, std::int64_t height);

// "picture size W x H exceeds the limit of ...": the reason given for a refused picture.
std::string pictureTooLargeReason(std::int64_t width, std::int64_t height);

}  // namespace plazor
