#include "render/render_run.h"

#include <algorithm>
#include <mutex>
#include <system_error>

#include "render/batch_composer.h"
#include "render/batch_output.h"
#include "render/canvas_budget.h"
#include "render/output_writer.h"
#include "util/atomic_file.h"

namespace plazor {
namespace {

// Decoded watermark pictures a run keeps at most (less on a machine with little memory).
constexpr std::uint64_t kWatermarkCacheBytes = 256ull * 1024 * 1024;

}  // namespace

struct RenderRun::State {
    RenderJob job;
    RunCallbacks callbacks;
    std::atomic<int> stop{0};
    int batches = 0;

    std::mutex queueMutex;  // the next batch and the output names, handed out in batch order
    int nextBatch = 0;
    NameReserver names;

    std::mutex reportMutex;  // one report at a time reaches the callbacks
    int finished = 0;
    int reportedProgress = 0;

    RunEnd end = RunEnd::kFinished;  // read after the run's thread was joined
    RunSummary summary;              // counts under reportMutex; read after the join

    State(RenderJob j, RunCallbacks c) : job(std::move(j)), callbacks(std::move(c)) {
        batches = job.planned ? static_cast<int>(job.planned->size())
                              : static_cast<int>(plazor::batchCount(job.sources, job.mode,
                                                                    job.document.pasteLayers.size()));
    }

    void info(const InfoLine& line) {
        std::lock_guard lock(reportMutex);
        if (callbacks.info) callbacks.info(line);
    }

    void reportProgressLocked() {
        const int current = std::min(finished + 1, batches);
        if (current <= reportedProgress) return;
        reportedProgress = current;
        if (callbacks.progress) callbacks.progress(current);
    }

    void batchFinished(bool written) {
        std::lock_guard lock(reportMutex);
        ++finished;
        ++summary.rendered;
        if (!written) ++summary.unwritten;
        reportProgressLocked();
    }

    // Takes the next batch and reserves its output names; false when none is left.
    bool takeBatch(Batch& input, OutputPlan& plan) {
        std::lock_guard lock(queueMutex);
        if (stop || nextBatch >= batches) return false;
        if (job.planned) {
            PlannedBatch& planned = (*job.planned)[static_cast<std::size_t>(nextBatch++)];
            input = std::move(planned.input);
            plan = std::move(planned.output);
            std::vector<InfoLine> folderLines = ensureStripFolder(plan, job.outputFolder);
            if (!folderLines.empty()) {
                // Without its own folder the batch's strips and page are not written anywhere else.
                plan.infoLines.insert(plan.infoLines.end(), folderLines.begin(), folderLines.end());
                plan.strips.clear();
                plan.stripPaths.clear();
                plan.htmlPath.clear();
                plan.unwritable = true;
            }
            return true;
        }
        input = batchAt(job.sources, job.mode, job.document.pasteLayers.size(),
                        static_cast<std::size_t>(nextBatch));
        ++nextBatch;
        if (const ListFailure* guard = pathGuardOf(input.listing)) {
            // A sub-folder holds a path beyond the length limit: the run cannot go on safely.
            info(guard->message);
            stop = 1;
            return false;
        }
        plan = planOutput(job.document, job.outputFolder, input.name, job.sliceSubFolder, names);
        return true;
    }

    void work(const RunPictures& pictures) {
        const InfoSink sink = [this](const InfoLine& line) { info(line); };
        Batch input;
        OutputPlan plan;
        while (takeBatch(input, plan)) {
            ComposedBatch composed =
                composeBatch(job.document, pictures, input.pictures, job.decode, stop, sink);
            if (composed.stopped) break;
            if (!composed.picture) {
                batchFinished(false);
                continue;
            }
            OutputContext ctx{job.document, job.outputFolder, stop, sink};
            const OutputWritten written = writeOutput(*composed.picture, plan, ctx);
            composed.picture.reset();
            batchFinished(written.complete);
            if (!written.keepGoing) break;
        }
    }

    void run() {
        {
            std::lock_guard lock(reportMutex);
            reportProgressLocked();
        }
        // A killed run leaves its half-written hidden files behind; none of them is anything's output.
        removeStaleTemporaries(job.outputFolder, {outputExtension(job.document.settings), ".html"});
        const Background& bg = job.document.background;
        const std::uint64_t canvas = canvasBytes(bg.width, bg.height);
        const std::uint64_t memory = libraryMemoryBytes();
        const std::uint64_t watermarkBytes = std::min<std::uint64_t>(kWatermarkCacheBytes, memory / 8);
        const RunPictures pictures(job.document, watermarkBytes);
        // Workers whose canvases would not fit in memory would push the library onto disk, or past its
        // limits: fewer of them finish sooner.
        summary.batches = batches;
        summary.requestedWorkers = std::max(1, std::min(job.jobs, batches));
        summary.workerBytes = canvas * kCanvasCopiesPerWorker;
        const std::uint64_t shared = (bg.kind == kPictureBackground ? canvas : 0) + watermarkBytes;
        summary.workers = workersThatFit(summary.requestedWorkers, summary.workerBytes, shared, memory);
        const int extra = summary.workers - 1;
        // The workers already keep the cores busy; the image library's own threads would only compete
        // with them (and spin while they wait), so each worker's calls run on that worker alone.
        const MagickSizeType libraryThreads = MagickGetResourceLimit(ThreadResource);
        if (extra > 0) MagickSetResourceLimit(ThreadResource, 1);
        std::vector<std::thread> helpers;
        for (int i = 0; i < extra; ++i) {
            try {
                helpers.emplace_back([this, &pictures] { work(pictures); });
            } catch (const std::system_error&) {
                summary.workers = static_cast<int>(helpers.size()) + 1;
                break;  // fewer workers: the batches still all get rendered
            }
        }
        work(pictures);
        for (std::thread& t : helpers)
            t.join();
        if (extra > 0) MagickSetResourceLimit(ThreadResource, libraryThreads);
        // Outputs are flushed once here rather than one by one.
        if (const Status synced = syncFileSystemOf(job.outputFolder); !synced) {
            info(spacedLine("写入文件夹 '" + job.outputFolder + "' 时发生错误:\n" + synced.error()));
        }

        end = stop ? RunEnd::kStopped : RunEnd::kFinished;
        if (callbacks.ended) callbacks.ended(end);
    }
};

RenderRun::RenderRun(RenderJob job, RunCallbacks callbacks)
    : state_(std::make_unique<State>(std::move(job), std::move(callbacks))) {}

RenderRun::~RenderRun() {
    if (thread_.joinable()) {
        requestStop();
        thread_.join();
    }
}

int RenderRun::batchCount() const {
    return state_->batches;
}

bool RenderRun::start() {
    if (thread_.joinable()) return false;
    try {
        thread_ = std::thread([this] { state_->run(); });
    } catch (const std::system_error&) {
        return false;
    }
    return true;
}

void RenderRun::requestStop() {
    state_->stop = 1;
}

RunSummary RenderRun::summary() const {
    return state_->summary;
}

RunEnd RenderRun::wait() {
    if (thread_.joinable()) thread_.join();
    return state_->end;
}

std::atomic<int>& RenderRun::stopFlag() {
    return state_->stop;
}

}  // namespace plazor
