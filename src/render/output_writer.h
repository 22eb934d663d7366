// Encoding a finished picture in the run's output format and writing it to its file.
#pragma once

#include <string>

#include "template/document.h"
#include "util/magick.h"
#include "util/outcome.h"

namespace plazor {

// "JPEG" or "PNG", and the file extension that goes with it.
const char* outputFormatName(const Settings& settings);
const char* outputExtension(const Settings& settings);

// Sets the format and, for JPG, JPEG compression, the quality and the colour space conversion
// (none for sRGB). Applied once to a whole picture before it is written or cut into strips. A failed
// step gives the image library's text.
Status prepareForOutput(MagickWand* wand, const Settings& settings);

// Sets only the format and, for JPG, compression and quality (a strip cut from a prepared picture).
Status setOutputEncoding(MagickWand* wand, const Settings& settings);

// Encodes the picture with its current settings and writes it to `path` through a temporary file, so
// a stop, a crash or a full disk never leaves a half-written picture under the real name. On failure
// the error is the info line, writeFailureLine's.
Status writePicture(MagickWand* wand, const std::string& path);

// Writes already encoded bytes the same way (palette PNGs, the HTML page).
Status writeBytes(const std::string& bytes, const std::string& path);

// "写入文件 '%s' 时发生错误:" and the reason on a line of its own: an info entry the window follows with an
// empty line.
std::string writeFailureLine(const std::string& path, const std::string& reason);

}  // namespace plazor
