// The checks made before a run starts, in their order. The first failure comes back as a value that
// says which check failed, with its exact texts and the row or path concerned; how it is shown is the
// caller's choice (the editor's balloons and boxes, plazor-batch's lines).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "render/sources.h"
#include "template/document.h"

namespace plazor {

// The check that failed, named after the setting it concerns where one setting has several checks.
enum class RunCheck {
    BackgroundPicture,     // none chosen, gone, unusable, or a canvas beyond the image library's limits
    BackgroundWidth,       // empty, not above 0, or a canvas beyond the image library's limits
    BackgroundHeight,      // empty or not above 0
    PasteLayers,           // none at all, or the one at `row` has no area yet
    WatermarkPicture,      // the picture of the watermark at `row` is gone
    WatermarkFormat,       // the picture of the watermark at `row` is not one of the accepted formats
    SlicePosition,         // the slice at `row` is not positioned or out of place
    SourceFolder,          // none chosen, not a folder, or nothing in it to take
    SourcePathLength,      // a path in the source folder is too long: `path`
    OutputFolder,          // none chosen
    OutputFolderCreation,  // missing and it cannot be created
};
// The number of checks; RunCheck::OutputFolderCreation is the last.
inline constexpr int kRunCheckCount = static_cast<int>(RunCheck::OutputFolderCreation) + 1;

struct RunCheckFailure {
    RunCheck check = RunCheck::PasteLayers;
    std::string title;  // the heading of a failure told in two texts; empty when it has one
    std::string text;
    std::optional<std::size_t> row;  // 0-based row of the layer concerned
    std::string path;                // the path that is too long
};

// What a run needs once every check has passed.
struct RunPlan {
    std::vector<std::string> sources;  // the scanned, sorted source list
    std::size_t batches = 0;
};

struct RunCheckResult {
    std::optional<RunCheckFailure> failure;
    RunPlan plan;  // filled only when there is no failure

    bool ok() const { return !failure; }
};

// Runs the checks in order: background, background size, the canvas against the image library's
// limits, paste layers, their selections,
// watermarks, slices, source folder, source scan, output folder. `sourceFolder` and `outputFolder`
// are the texts of the two folder fields. Only reads: a missing output folder passes when it can be
// created below its nearest existing ancestor.
RunCheckResult checkBeforeRun(const Document& doc, const std::string& sourceFolder,
                              const std::string& outputFolder, LoadMode mode);

// Creates the output folder, parents included, when it is missing; the failure when it cannot be.
std::optional<RunCheckFailure> createOutputFolder(const std::string& folder);

}  // namespace plazor
