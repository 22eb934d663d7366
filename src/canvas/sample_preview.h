// Which sample picture each paste layer previews, and where in the window it is drawn by the layer's
// overflow style: the placement of the rendering run, computed at window scale.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "canvas/canvas_geometry.h"
#include "render/sources.h"
#include "template/document.h"

namespace plazor {

// The pictures previewed by the paste layers, picture k in layer k. Picture list mode: the source list
// itself; sub-folder list mode: the pictures of the first sub-folder that has at least one.
std::vector<std::string> samplePictures(const std::vector<std::string>& sources, LoadMode mode,
                                        std::size_t pasteLayerCount);

// A region of the sample picture, in its own pixels.
struct SourceRegion {
    double x = 0, y = 0, width = 0, height = 0;
};

// Draw `source` of the picture stretched over `target`.
struct SamplePreview {
    WindowRect target;
    SourceRegion source;
};

// The preview of a `pictureWidth` x `pictureHeight` sample in paste layer `layer`; nothing when no part
// of it shows (a layer or zoomed picture without area, or a custom offset past the slot).
std::optional<SamplePreview> samplePreview(const ViewMapping& mapping, const PasteLayer& layer,
                                           int pictureWidth, int pictureHeight);

}  // namespace plazor
