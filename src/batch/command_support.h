// Pieces shared by the plazor-batch commands: loading the template, printing a failed check, and
// running a render job with its progress and info lines on stderr.
#pragma once

#include <atomic>
#include <optional>
#include <string>

#include "batch/commands.h"
#include "render/render_job.h"
#include "render/render_run.h"
#include "render/run_checks.h"
#include "render/run_request.h"

namespace plazor::batch {

// An info entry as a terminal shows it: its text and one "\n", with no empty line after it.
std::string asLine(const InfoLine& line);

// Loads the request's template with its fallback dpi, printing the load's problems; false when it
// could not be read.
bool loadInto(Document& doc, const Request& request, Streams& io);

void printCheckFailure(const RunCheckFailure& failure, std::ostream& err);

// The run the request describes, with the loaded template (jobs default to one per core).
RunRequest runRequestOf(Document doc, const Request& request);

struct RunOutcome {
    RunEnd end = RunEnd::kFinished;
    RunSummary summary;  // the workers that ran, the pictures that could not be written
};

// Renders the job to its end. On a terminal a progress line with the rate and the time left is
// redrawn in place; otherwise a plain progress line goes out now and then. Nothing when the run's
// thread could not be started (the message is printed).
std::optional<RunOutcome> runWithProgress(RenderJob job, Streams& io, std::atomic<std::atomic<int>*>& stop);

// The lines after a run's end: fewer jobs than asked for, and how many pictures could not be written.
void printRunSummary(const RunSummary& summary, std::ostream& out);

// The exit code of a run that ended as `outcome` says.
int runExitCode(const RunOutcome& outcome);

}  // namespace plazor::batch
