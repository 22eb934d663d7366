// The image library's side of the start-up: whether it has its coders, whether it can read pictures,
// and the environment that points it at private coder modules shipped beside the program.
#pragma once

#include <functional>
#include <string>

namespace plazor {

// True when the library lists a JPEG coder.
bool imageLibraryHasJpegCoder();

// Makes the library load its ICO coder by encoding a 16 x 16 white picture (the result is not
// checked), then reads the four embedded probe pictures in order, stopping at the first failure.
// On failure `error` receives the library's exception text.
bool probeImageLibrary(std::string& error);

// "<program folder>/modules/coders": present only in a portable copy that brings its own coders.
std::string privateCoderFolder(const std::string& programFolder);

// Points the library at the private coders, trying in turn the user's own MAGICK_CODER_MODULE_PATH
// (when set, it is the only try), the relative forms (the program folder is the current folder),
// then the absolute forms; `validate` judges each try. When the relative and absolute forms both
// fail, MAGICK_CODER_MODULE_PATH, MAGICK_CONFIGURE_PATH and MAGICK_HOME are removed and the library's
// own configuration gets a last try. Returns whether a try was validated.
bool setUpImageEnvironment(const std::string& programFolder, const std::function<bool()>& validate);

}  // namespace plazor
