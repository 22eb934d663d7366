// Reading a source picture and placing it into its paste layer's slot in one step, so the header decides
// how much to decode: a shrunk JPEG at a reduced scale (scaled mode), a picture that lands wholly off
// the canvas not at all, a picture stretched far beyond the canvas only where it shows.
#pragma once

#include <string>

#include "render/decode_mode.h"
#include "template/document.h"
#include "util/magick.h"

namespace plazor {

struct SourcePlacement {
    bool readable = true;  // false: the picture could not be read, nothing was drawn
    bool ok = true;        // false: a step of the placement failed
    std::string reason;    // the image library's text for either failure
};

// Places the picture at `path` into `layer`'s slot on `target` (the background or the base canvas) with
// the geometry of a full decode, as readSourcePicture and placePicture do.
SourcePlacement placeSourceFile(MagickWand* target, const std::string& path, const PasteLayer& layer,
                                DecodeMode mode);

}  // namespace plazor
