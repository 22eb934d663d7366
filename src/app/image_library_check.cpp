#include "app/image_library_check.h"

#include "app/probe_pictures.h"
#include "util/fs.h"
#include "util/magick.h"

#include <cstdlib>

namespace plazor {

namespace {

constexpr const char* kCoderPathVariable = "MAGICK_CODER_MODULE_PATH";
constexpr const char* kConfigurePathVariable = "MAGICK_CONFIGURE_PATH";
constexpr const char* kHomeVariable = "MAGICK_HOME";

void setEnvironment(const std::string& coders, const std::string& configure, const std::string& home) {
    setenv(kCoderPathVariable, coders.c_str(), 1);
    setenv(kConfigurePathVariable, configure.c_str(), 1);
    setenv(kHomeVariable, home.c_str(), 1);
}

}  // namespace

bool imageLibraryHasJpegCoder() {
    ensureMagickStarted();
    std::size_t count = 0;
    char** formats = MagickQueryFormats("JPEG", &count);
    if (!formats) return false;
    for (std::size_t i = 0; i < count; ++i)
        MagickRelinquishMemory(formats[i]);
    MagickRelinquishMemory(formats);
    return count > 0;
}

bool probeImageLibrary(std::string& error) {
    {
        Wand icon = newWand();
        PixelWandPtr white(NewPixelWand());
        PixelSetColor(white.get(), "#FFFFFF");
        if (MagickNewImage(icon.get(), 16, 16, white.get()) == MagickTrue &&
            MagickSetImageFormat(icon.get(), "ICO") == MagickTrue) {
            std::size_t length = 0;
            MagickBuffer<unsigned char> blob(MagickGetImageBlob(icon.get(), &length));
        }
    }
    for (const ProbePicture& picture : probePictures()) {
        Wand wand = newWand();
        if (MagickReadImageBlob(wand.get(), picture.bytes.data(), picture.bytes.size()) != MagickTrue) {
            error = wandError(wand.get());
            return false;
        }
    }
    return true;
}

std::string privateCoderFolder(const std::string& programFolder) {
    return joinPath(joinPath(programFolder, "modules"), "coders");
}

bool setUpImageEnvironment(const std::string& programFolder, const std::function<bool()>& validate) {
    if (std::getenv(kCoderPathVariable)) return validate();

    setEnvironment("modules/coders", ".", ".");
    if (validate()) return true;

    setEnvironment(privateCoderFolder(programFolder), programFolder, programFolder);
    if (validate()) return true;

    unsetenv(kCoderPathVariable);
    unsetenv(kConfigurePathVariable);
    unsetenv(kHomeVariable);
    return validate();
}

}  // namespace plazor
