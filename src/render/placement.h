// Reading a source picture as the run does, and fitting it into a paste layer's slot on a target
// picture with the image library.
#pragma once

#include <atomic>
#include <optional>
#include <string>

#include "template/document.h"
#include "util/magick.h"
#include "util/outcome.h"

namespace plazor {

// Why a source picture could not be read.
struct ReadFailure {
    std::string reason;           // the image library's text, the file's problem, or the size limit
    bool outOfResources = false;  // the library ran out of memory or disk: the picture may be good
};

// The decoded first frame of a source picture.
using SourcePicture = Outcome<Wand, ReadFailure>;

// What the header of a source picture says, before any pixel is decoded.
struct SourceHeader {
    int width = 0, height = 0;  // as stored, before the orientation tag turns it
    int orientation = 0;        // the Exif orientation, 0 when there is none
    bool jpeg = false;
    bool cmyk = false;
};

// The whole file at `path` (UTF-8) when it is a non-empty regular file of a size a picture can have.
// Pictures are decoded from these bytes, so that nothing in a name ("[...]", "png:") is taken by the
// image library as an instruction. A set `stop` flag ends the read.
Outcome<std::string> readSourceBytes(const std::string& path, const std::atomic<int>* stop = nullptr);

// Reads the header of the first frame of a picture's bytes and refuses a picture beyond the program's
// picture limits (picture_limits.h) or the image library's resource limits.
Outcome<SourceHeader, ReadFailure> pingSourceBytes(const std::string& bytes);

// Decodes the first frame of a picture's bytes, in sRGB when it was CMYK. The size is read from the
// header first, so a picture beyond the program's picture limits (picture_limits.h) or the image
// library's resource limits is refused before any pixel is decoded.
SourcePicture decodeSourceBytes(const std::string& bytes);

// readSourceBytes, then decodeSourceBytes.
SourcePicture readSourcePicture(const std::string& path, const std::atomic<int>* stop = nullptr);

// Where a fitted picture's top-left corner goes.
struct FitPosition {
    int x = 0, y = 0;
};

// Turns `picture` upright by its orientation tag and fits it (in place) into `layer`'s slot by the
// layer's overflow style: resized and cropped as the style says. Nothing when no pixel of it would
// show inside the slot; a failed step gives the image library's text.
Outcome<std::optional<FitPosition>> fitPicture(MagickWand* picture, const PasteLayer& layer);

// fitPicture, then composites the picture with the Over operator onto `target`: the background for
// layer level 0, the base canvas for level 1 (the caller chooses). A picture that would show no pixel
// inside the slot is not composited. A failed step gives the image library's text.
Status placePicture(MagickWand* target, MagickWand* picture, const PasteLayer& layer);

}  // namespace plazor
