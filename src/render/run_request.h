// One run as every starter describes it (the editor, plazor-batch and external tasks through the
// editor), and the one place that checks and prepares it. A new run option is added here.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "render/render_job.h"
#include "render/run_checks.h"
#include "render/sources.h"
#include "template/document.h"

namespace plazor {

struct RunRequest {
    Document document;  // snapshot of the template as the run starts
    std::string sourceFolder;
    std::string outputFolder;
    LoadMode mode = kPictureListMode;
    bool sliceSubFolder = true;  // strips of a batch go to a sub-folder named after the batch
    int jobs = 1;                // batches rendered at once; less than 1 counts as 1
};

struct PreparedRun {
    std::optional<RunCheckFailure> failure;  // nothing was prepared
    RenderJob job;                           // filled only without a failure
    std::size_t batches = 0;

    bool ok() const { return !failure; }
};

// The checks before a run; reads the disk and changes nothing on it.
RunCheckResult checkRun(const RunRequest& request);

// The checks, then the output folder is created when missing; the job to start.
PreparedRun prepareRun(RunRequest request);

}  // namespace plazor
