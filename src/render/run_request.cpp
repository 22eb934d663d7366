#include "render/run_request.h"

#include <algorithm>
#include <utility>

namespace plazor {

RunCheckResult checkRun(const RunRequest& request) {
    return checkBeforeRun(request.document, request.sourceFolder, request.outputFolder, request.mode);
}

PreparedRun prepareRun(RunRequest request) {
    PreparedRun prepared;
    RunCheckResult checked = checkRun(request);
    if (!checked.failure) checked.failure = createOutputFolder(request.outputFolder);
    if (checked.failure) {
        prepared.failure = std::move(checked.failure);
        return prepared;
    }
    prepared.batches = checked.plan.batches;
    prepared.job.document = std::move(request.document);
    prepared.job.sources = std::move(checked.plan.sources);
    prepared.job.outputFolder = std::move(request.outputFolder);
    prepared.job.mode = request.mode;
    prepared.job.sliceSubFolder = request.sliceSubFolder;
    prepared.job.jobs = std::max(1, request.jobs);
    return prepared;
}

}  // namespace plazor
