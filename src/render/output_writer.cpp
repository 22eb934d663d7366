#include "render/output_writer.h"

#include "util/atomic_file.h"

namespace plazor {

const char* outputFormatName(const Settings& settings) {
    return settings.format == kFormatPng ? "PNG" : "JPEG";
}

const char* outputExtension(const Settings& settings) {
    return settings.format == kFormatPng ? ".png" : ".jpg";
}

Status setOutputEncoding(MagickWand* wand, const Settings& settings) {
    if (MagickSetImageFormat(wand, outputFormatName(settings)) == MagickFalse) return fail(wandError(wand));
    if (settings.format == kFormatPng) return {};
    if (MagickSetImageCompression(wand, JPEGCompression) == MagickFalse ||
        MagickSetImageCompressionQuality(wand, static_cast<size_t>(settings.quality)) == MagickFalse) {
        return fail(wandError(wand));
    }
    return {};
}

Status prepareForOutput(MagickWand* wand, const Settings& settings) {
    if (Status encoding = setOutputEncoding(wand, settings); !encoding.ok()) return encoding;
    if (settings.format == kFormatPng) return {};
    ColorspaceType space = UndefinedColorspace;
    switch (settings.colourSpace) {
        case kSpaceRGB:
            space = RGBColorspace;
            break;
        case kSpaceCMYK:
            space = CMYKColorspace;
            break;
        case kSpaceGrey:
            space = GRAYColorspace;
            break;
        default:
            return {};  // sRGB: the pictures are sRGB already
    }
    if (MagickTransformImageColorspace(wand, space) == MagickFalse) return fail(wandError(wand));
    return {};
}

std::string writeFailureLine(const std::string& path, const std::string& reason) {
    return "写入文件 '" + path + "' 时发生错误:\n" + reason;
}

Status writeBytes(const std::string& bytes, const std::string& path) {
    const Outcome<void, WriteFailure> result = writeFileAtomically(path, bytes, Flush::kLater);
    if (result.ok()) return {};
    return fail(writeFailureLine(path, result.error().systemError));
}

Status writePicture(MagickWand* wand, const std::string& path) {
    size_t length = 0;
    MagickBuffer<unsigned char> blob(MagickGetImageBlob(wand, &length));
    if (!blob || length == 0) return fail(writeFailureLine(path, wandError(wand)));
    return writeBytes(std::string(reinterpret_cast<const char*>(blob.get()), length), path);
}

}  // namespace plazor
