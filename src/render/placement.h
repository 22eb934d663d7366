// Reading a source picture as the run does, and fitting it into a paste layer's slot on a target
// picture with the image library.
#pragma once

#include <atomic>
#include <string>

#include "template/document.h"
#include "util/magick.h"

namespace plazor {

struct SourcePicture {
    Wand picture;        // the decoded first frame; empty when the picture could not be read
    std::string reason;  // why it could not be read (the image library's text, or the size limit)

    bool ok() const { return picture != nullptr; }
};

// Reads the first frame of the picture at `path` (UTF-8), in sRGB when it was CMYK. Only a regular
// file is read. The size is read from the header first, so a picture beyond the image library's
// resource limits is refused before any pixel is decoded. A set `stop` flag ends the file's read.
SourcePicture readSourcePicture(const std::string& path, const std::atomic<int>* stop = nullptr);

struct PlaceResult {
    bool ok = true;
    std::string reason;  // the image library's text when a step failed
};

// Turns `picture` upright by its orientation tag, fits it (in place) into `layer`'s slot by the
// layer's overflow style and composites it with the Over operator onto `target`: the background for
// layer level 0, the base canvas for level 1 (the caller chooses). A picture that would show no pixel
// inside the slot is not composited.
PlaceResult placePicture(MagickWand* target, MagickWand* picture, const PasteLayer& layer);

}  // namespace plazor
