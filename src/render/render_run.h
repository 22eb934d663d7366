// A rendering run: renders every batch of a RenderJob on worker threads and reports progress, info
// lines and its end through callbacks. It touches no widget; the window turns the callbacks into
// blocking queued signals so a worker waits until its report was handled.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "render/render_job.h"
#include "util/info_line.h"

namespace plazor {

enum class RunEnd { kFinished, kStopped };

// What a run did, for its summary.
struct RunSummary {
    int batches = 0;                // batches of the run
    int rendered = 0;               // batches rendered and written (or attempted to be)
    int unwritten = 0;              // of those, batches whose picture or strips were not all written
    int requestedWorkers = 1;       // workers asked for (at most one per batch)
    int workers = 1;                // workers that ran: fewer when their canvases would not fit in memory
    std::uint64_t workerBytes = 0;  // memory one worker's canvases take
};

struct RunCallbacks {
    // Batch b (1-based) is being processed; with several workers, b is the number of finished batches
    // plus one. Called with 1 at the start.
    std::function<void(int batch)> progress;
    // A line for the info window.
    std::function<void(const InfoLine& line)> info;
    // Called once, from the run's own thread, after every worker has ended.
    std::function<void(RunEnd end)> ended;
};

class RenderRun {
  public:
    RenderRun(RenderJob job, RunCallbacks callbacks);
    ~RenderRun();  // stops the run and waits for it
    RenderRun(const RenderRun&) = delete;
    RenderRun& operator=(const RenderRun&) = delete;

    int batchCount() const;

    // Starts the run on its own thread; false when the thread cannot be created (nothing runs then).
    bool start();

    // Sets the stop flag: every worker ends at its next check point.
    void requestStop();

    // What the run did; complete once wait() returned.
    RunSummary summary() const;

    // Waits for the end and returns how the run ended. Never call this from the thread that handles
    // the callbacks while they are blocking: wait for `ended` there instead.
    RunEnd wait();

    // The flag tested at the check points: before each pasted picture, before each watermark, before
    // each strip and after each batch. A PNG-8 failure sets it too.
    std::atomic<int>& stopFlag();

  private:
    struct State;
    std::unique_ptr<State> state_;
    std::thread thread_;
};

}  // namespace plazor
