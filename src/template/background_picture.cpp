#include "template/background_picture.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <system_error>

#include "util/magick.h"
#include "util/picture_limits.h"

namespace plazor {
namespace {

// Larger files are not read into memory; the image library would refuse such a picture anyway.
constexpr std::uintmax_t kMaxPictureFileBytes = 256u * 1024 * 1024;

struct DecodedPicture {
    std::string bytes;
    int width = 0;
    int height = 0;
    bool alpha = false;
};

// The file's bytes; nothing for what is not a regular file (a pipe or device could block or never
// end) or is too large.
std::optional<std::string> readPictureFile(const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (ec || size == 0 || size > kMaxPictureFileBytes) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Decoding from memory rather than by name keeps the library from reading "[0]" or "png:" in a file
// name as instructions. The blob's own name "[0]" asks for the first frame only, so a long animation
// is neither walked nor held in memory, and a damaged later frame does not spoil the first. The size
// is pinged before any pixel is decoded.
std::optional<DecodedPicture> decodePicture(const std::string& path, std::string& problem) {
    const auto bytes = readPictureFile(path);
    if (!bytes) return std::nullopt;
    Wand header = newWand();
    MagickSetFilename(header.get(), "[0]");
    if (MagickPingImageBlob(header.get(), bytes->data(), bytes->size()) == MagickFalse) return std::nullopt;
    const auto width = static_cast<std::int64_t>(MagickGetImageWidth(header.get()));
    const auto height = static_cast<std::int64_t>(MagickGetImageHeight(header.get()));
    if (!pictureWithinLimits(width, height)) {
        problem = "背景图片 '" + path + "' 的尺寸 " + std::to_string(width) + " x " + std::to_string(height) +
                  " 超出限制（每边最多 " + std::to_string(kMaxPictureSide) + " 像素，最多 " +
                  std::to_string(kMaxPicturePixels / 1000000) + " 百万像素）";
        return std::nullopt;
    }
    header.reset();

    Wand wand = newWand();
    MagickSetFilename(wand.get(), "[0]");
    if (MagickReadImageBlob(wand.get(), bytes->data(), bytes->size()) == MagickFalse) return std::nullopt;
    MagickSetFirstIterator(wand.get());

    DecodedPicture picture;
    picture.width = static_cast<int>(MagickGetImageWidth(wand.get()));
    picture.height = static_cast<int>(MagickGetImageHeight(wand.get()));
    picture.alpha = MagickGetImageAlphaChannel(wand.get()) == MagickTrue;
    std::size_t length = 0;
    MagickBuffer<unsigned char> blob(MagickGetImageBlob(wand.get(), &length));
    if (!blob || length == 0 || picture.width < 1 || picture.height < 1) return std::nullopt;
    picture.bytes.assign(reinterpret_cast<const char*>(blob.get()), length);
    return picture;
}

std::string makePlaceholderJpeg() {
    Wand wand = newWand();
    PixelWandPtr white(NewPixelWand());
    if (PixelSetColor(white.get(), "#ffffff") == MagickFalse ||
        MagickNewImage(wand.get(), 1, 1, white.get()) == MagickFalse ||
        MagickSetImageFormat(wand.get(), "JPEG") == MagickFalse) {
        return {};
    }
    std::size_t length = 0;
    MagickBuffer<unsigned char> blob(MagickGetImageBlob(wand.get(), &length));
    return blob ? std::string(reinterpret_cast<const char*>(blob.get()), length) : std::string();
}

}  // namespace

void useBackgroundPlaceholder(Background& background) {
    static const std::string placeholder = makePlaceholderJpeg();
    background.pictureData = placeholder;
    background.width = 1;
    background.height = 1;
    background.transparent = 0;
    background.pictureProblem.clear();
}

bool loadBackgroundPicture(Background& background, const std::string& path) {
    std::string problem;
    auto picture = decodePicture(path, problem);
    if (!picture) {
        useBackgroundPlaceholder(background);
        background.pictureProblem = problem.empty() ? "背景图片 '" + path + "' 不是一个有效的图片" : problem;
        return false;
    }
    background.pictureData = std::move(picture->bytes);
    background.width = picture->width;
    background.height = picture->height;
    background.transparent = picture->alpha ? 1 : 0;
    background.pictureProblem.clear();
    return true;
}

}  // namespace plazor
