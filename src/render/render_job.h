// Everything a run needs, fixed when it starts: a snapshot of the template, the source list, the
// output folder and the load mode, plus the preferences that shape its output.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "render/batch_output.h"
#include "render/decode_mode.h"
#include "render/sources.h"
#include "template/document.h"

namespace plazor {

// A batch whose pictures and output names were decided ahead of the run.
struct PlannedBatch {
    Batch input;
    OutputPlan output;
};

struct RenderJob {
    Document document;                 // read-only copy: the editor may change its own afterwards
    std::vector<std::string> sources;  // scanned source list (pictures, or sub-folders)
    std::string outputFolder;
    LoadMode mode = kPictureListMode;
    bool sliceSubFolder = true;  // strips of a batch go to a sub-folder named after the batch
    int jobs = 1;                // batches rendered at once
    // When set, exactly these batches are rendered, in this order and under these names; `sources`
    // and `mode` are not used then.
    std::optional<std::vector<PlannedBatch>> planned = std::nullopt;
    DecodeMode decode = DecodeMode::kScaled;
};

}  // namespace plazor
