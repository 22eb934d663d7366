// Reading a source picture and placing it into its paste layer's slot in one step, so the header decides
// how much to decode: a shrunk JPEG at a reduced scale (scaled mode), a picture that lands wholly off
// the canvas not at all, a picture stretched far beyond the canvas only where it shows.
#pragma once

#include <atomic>
#include <string>

#include "render/decode_mode.h"
#include "render/pixels8.h"
#include "template/document.h"
#include "util/magick.h"
#include "util/outcome.h"

namespace plazor {

struct PlacementFailure {
    bool readable = true;         // false: the picture could not be read, nothing was drawn; true: a
                                  // step of the placement failed
    std::string reason;           // the image library's text for either failure
    bool outOfResources = false;  // not readable for want of memory or disk: the picture may be good
};

using SourcePlacement = Outcome<void, PlacementFailure>;

// Places the picture at `path` into `layer`'s slot on `target` (the background or the base canvas, 8-bit
// RGB or RGBA, composited with the Over operator) with
// the geometry of a full decode, as readSourcePicture and placePicture do.
// A set `stop` flag ends the file's read.
SourcePlacement placeSourceFile(Pixels8& target, const std::string& path, const PasteLayer& layer,
                                DecodeMode mode, const std::atomic<int>* stop = nullptr);

}  // namespace plazor
