#include "render/output_writer.h"

#include "util/atomic_file.h"

namespace plazor {

const char* outputFormatName(const Settings& settings) {
    return settings.format == kFormatPng ? "PNG" : "JPEG";
}

const char* outputExtension(const Settings& settings) {
    return settings.format == kFormatPng ? ".png" : ".jpg";
}

void setOutputEncoding(MagickWand* wand, const Settings& settings) {
    MagickSetImageFormat(wand, outputFormatName(settings));
    if (settings.format == kFormatPng) return;
    MagickSetImageCompression(wand, JPEGCompression);
    MagickSetImageCompressionQuality(wand, static_cast<size_t>(settings.quality));
}

void prepareForOutput(MagickWand* wand, const Settings& settings) {
    setOutputEncoding(wand, settings);
    if (settings.format == kFormatPng) return;
    switch (settings.colourSpace) {
        case kSpaceRGB:
            MagickTransformImageColorspace(wand, RGBColorspace);
            break;
        case kSpaceCMYK:
            MagickTransformImageColorspace(wand, CMYKColorspace);
            break;
        case kSpaceGrey:
            MagickTransformImageColorspace(wand, GRAYColorspace);
            break;
        default:
            break;  // sRGB: the pictures are sRGB already
    }
}

std::string writeFailureLine(const std::string& path, const std::string& reason) {
    return "写入文件 '" + path + "' 时发生错误:\r\n" + reason + "\r\n";
}

WriteOutcome writeBytes(const std::string& bytes, const std::string& path) {
    const AtomicWriteResult result = writeFileAtomically(path, bytes, Flush::kLater);
    if (result.ok()) return {};
    return {false, writeFailureLine(path, result.systemError)};
}

WriteOutcome writePicture(MagickWand* wand, const std::string& path) {
    size_t length = 0;
    MagickBuffer<unsigned char> blob(MagickGetImageBlob(wand, &length));
    if (!blob || length == 0) return {false, writeFailureLine(path, wandError(wand))};
    return writeBytes(std::string(reinterpret_cast<const char*>(blob.get()), length), path);
}

}  // namespace plazor
