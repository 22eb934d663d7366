// Reading a source picture as the run does, and fitting it into a paste layer's slot on a target
// picture with the image library.
#pragma once

#include <string>

#include "template/document.h"
#include "util/magick.h"

namespace plazor {

struct SourcePicture {
    Wand picture;        // the decoded first frame; empty when the picture could not be read
    std::string reason;  // why it could not be read (the image library's text, or the size limit)

    bool ok() const { return picture != nullptr; }
};

// What the header of a source picture says, before any pixel is decoded.
struct SourceHeader {
    int width = 0, height = 0;  // as stored, before the orientation tag turns it
    int orientation = 0;        // the Exif orientation, 0 when there is none
    bool jpeg = false;
    bool cmyk = false;
    std::string reason;  // why it cannot be read (then width and height are 0)

    bool ok() const { return reason.empty(); }
};

// Reads the header of the first frame of the picture at `path` (UTF-8) and refuses a picture beyond
// the image library's resource limits.
SourceHeader pingSourcePicture(const std::string& path);

// Reads the first frame of the picture at `path` (UTF-8), in sRGB when it was CMYK. The size is read
// from the header first, so a picture beyond the image library's resource limits is refused before
// any pixel is decoded.
SourcePicture readSourcePicture(const std::string& path);

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
