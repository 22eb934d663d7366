#include "batch/command_support.h"

#include <algorithm>
#include <thread>
#include <utility>

#include "batch/progress_meter.h"
#include "render/canvas_budget.h"
#include "template/template_file.h"

namespace plazor::batch {

std::string asLine(const InfoLine& line) {
    return line.text + "\n";
}

bool loadInto(Document& doc, const Request& request, Streams& io) {
    doc.background.dpi = request.dpi.value_or(72);
    const LoadOutcome loaded = loadTemplate(doc, request.templatePath);
    for (const InfoLine& line : reportOf(loaded).infoLines)
        io.err << asLine(line);
    if (!loaded.ok()) {
        io.err << request.templatePath << ": " << loaded.error().text << "\n";
        return false;
    }
    return true;
}

void printCheckFailure(const RunCheckFailure& failure, std::ostream& err) {
    // A failure told in one text is headed by the caption the editor's box shows it under.
    err << (failure.title.empty() ? "提示" : failure.title) << "\n" << failure.text << "\n";
}

RunRequest runRequestOf(Document doc, const Request& request) {
    RunRequest run;
    run.document = std::move(doc);
    run.sourceFolder = request.sourceFolder;
    run.outputFolder = request.outputFolder;
    run.mode = request.subFolders ? kSubFolderListMode : kPictureListMode;
    run.sliceSubFolder = request.sliceSubFolder;
    run.jobs = request.jobs.value_or(static_cast<int>(std::max(1u, std::thread::hardware_concurrency())));
    run.decode = request.exact ? DecodeMode::kExact : DecodeMode::kScaled;
    return run;
}

std::optional<RunOutcome> runWithProgress(RenderJob job, Streams& io, std::atomic<std::atomic<int>*>& stop) {
    RenderRun* running = nullptr;
    RunCallbacks callbacks;
    std::optional<ProgressMeter> meter;
    // Called under the run's report lock, after the run object exists.
    callbacks.progress = [&](int batch) {
        if (!meter) meter.emplace(running->batchCount(), ProgressMeter::Clock::now());
        const auto now = ProgressMeter::Clock::now();
        if (io.progressOnTerminal) {
            io.err << "\r" << meter->terminalLine(batch, now) << "\033[K" << std::flush;
        } else if (const auto line = meter->logLine(batch, now)) {
            io.err << *line << "\n" << std::flush;
        }
    };
    callbacks.info = [&](const InfoLine& line) {
        if (io.progressOnTerminal) io.err << "\r\033[K";
        io.err << asLine(line);
    };
    RenderRun run(std::move(job), std::move(callbacks));
    running = &run;
    stop = &run.stopFlag();
    if (!run.start()) {
        stop = nullptr;
        io.err << "启动线程失败\n";
        return std::nullopt;
    }
    const RunEnd end = run.wait();
    stop = nullptr;
    if (io.progressOnTerminal) io.err << "\r\033[K";
    return RunOutcome{end, run.summary()};
}

void printRunSummary(const RunSummary& summary, std::ostream& out) {
    if (summary.workers < summary.requestedWorkers) {
        out << "ran " << summary.workers << (summary.workers == 1 ? " job" : " jobs") << " instead of "
            << summary.requestedWorkers << ": each needs " << byteSizeText(summary.workerBytes)
            << " for its canvases, and the image library has " << byteSizeText(libraryMemoryBytes())
            << " of memory\n";
    }
    if (summary.unwritten > 0) {
        out << summary.unwritten << " of " << summary.rendered
            << (summary.rendered == 1 ? " picture" : " pictures") << " could not be written\n";
    }
}

int runExitCode(const RunOutcome& outcome) {
    if (outcome.end == RunEnd::kStopped) return kExitStopped;
    return outcome.summary.unwritten > 0 ? kExitUnwritten : kExitOk;
}

}  // namespace plazor::batch
