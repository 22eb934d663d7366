// Everything a run needs, fixed when it starts: a snapshot of the template, the source list, the
// output folder and the load mode, plus the preferences that shape its output.
#pragma once

#include <string>
#include <vector>

#include "render/decode_mode.h"
#include "render/sources.h"
#include "template/document.h"

namespace plazor {

struct RenderJob {
    Document document;                 // read-only copy: the editor may change its own afterwards
    std::vector<std::string> sources;  // scanned source list (pictures, or sub-folders)
    std::string outputFolder;
    LoadMode mode = kPictureListMode;
    bool sliceSubFolder = true;  // strips of a batch go to a sub-folder named after the batch
    int jobs = 1;                // batches rendered at once
    DecodeMode decode = DecodeMode::kScaled;
};

}  // namespace plazor
