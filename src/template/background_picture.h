// The picture of a picture background, read through the image library. Whether a chosen file is an
// acceptable picture (name, header probe) is decided by the caller before this runs.
#pragma once

#include <string>

#include "template/document.h"

namespace plazor {

// Reads the picture at `path` (UTF-8) into `background`: its encoded bytes as the image library writes
// them back (the first frame only), its width and height (which become the background size) and
// whether it has an alpha channel. A picture that cannot be read, or is larger than the program's
// picture limits, becomes the 1 x 1 white JPEG stand-in and `pictureProblem` says why. Returns whether
// the picture itself was read. The path, kind and unit are not touched.
bool loadBackgroundPicture(Background& background, const std::string& path);

// Puts the 1 x 1 white JPEG stand-in in place of the background picture.
void useBackgroundPlaceholder(Background& background);

}  // namespace plazor
