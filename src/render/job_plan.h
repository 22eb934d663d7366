// A whole run decided once and written down as a file: the template's bytes, every batch in order
// with its pictures, and the output names reserved for it. Any number of workers or machines can each
// render a share of the batches and together write exactly the files one run writes.
//
// The file is one JSON object (UTF-8 text, one batch per line):
//   "format": "plazor-run-plan", "version": 1
//   "template": {"path": the file it was read from, "sha256": hex digest of the bytes,
//                "base64": the template file's bytes}
//   "dpi": resolution for templates that carry none (1..1200)
//   "mode": "pictures" or "subfolders"
//   "source", "output": absolute folders
//   "sliceSubFolder": strips go into a sub-folder per batch
//   "batches": [{"name": batch name, "pictures": paths relative to "source",
//                "output": file name in "output"}                           when not slicing
//               {"name", "pictures", "folder": strip sub-folder (with sliceSubFolder),
//                "strips": file names in it (or in "output"), "html": page name (when enabled)}]
// Reading checks every member: a plan whose names would leave the output folder (or whose pictures
// would leave the source folder), that reuses an output name, or whose template does not match its
// digest is refused as a whole.
#pragma once

#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "render/render_job.h"
#include "template/document.h"
#include "util/info_line.h"
#include "util/outcome.h"

namespace plazor {

inline constexpr int kJobPlanVersion = 1;

struct JobPlan {
    std::string templatePath;
    std::string templateBytes;  // the template file as read
    int dpi = 72;
    LoadMode mode = kPictureListMode;
    std::string sourceFolder;
    std::string outputFolder;
    bool sliceSubFolder = true;
    std::vector<PlannedBatch> batches;  // full paths
};

// Cuts `sources` into batches and reserves every output name against the output folder as it
// stands, in batch order, creating nothing. Fails with the guard message of a sub-folder whose
// listing met a path beyond the length limit (the plan is then unusable).
Status planBatches(const Document& doc, const std::vector<std::string>& sources, JobPlan& plan);

// Writes the plan; false when the stream failed.
bool writeJobPlan(const JobPlan& plan, std::ostream& out);

// Which batches a worker renders: those whose 0-based index modulo `count` is `index`.
struct Shard {
    int index = 0;
    int count = 1;
};

// An accepted plan.
struct JobPlanRead {
    JobPlan plan;                     // its batches are the shard's share only
    Document document;                // the plan's template, loaded
    std::vector<InfoLine> infoLines;  // the template's load problems (missing watermarks, ...)
};

// A refused plan: why, and the template's load problems found before the refusal.
struct JobPlanRefusal {
    std::string text;
    std::vector<InfoLine> infoLines;
};

using JobPlanOutcome = Outcome<JobPlanRead, JobPlanRefusal>;

// The template's load problems of a read, whether the plan was accepted or not.
const std::vector<InfoLine>& infoLinesOf(const JobPlanOutcome& read);

JobPlanOutcome readJobPlan(std::string_view text, Shard shard);

}  // namespace plazor
