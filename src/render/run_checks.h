// The checks made before a run starts, in their order. The first failure comes back as a value that
// says what to show, where, and with which exact texts; the window decides how to show it.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "render/sources.h"
#include "template/document.h"

namespace plazor {

// The control a failure concerns: a balloon points at it, a message box gives it the focus.
enum class CheckControl {
    BackgroundChooseButton,
    WidthField,
    HeightField,
    PasteList,
    WatermarkList,
    SliceList,
    SourceFolderButton,
    OutputFolderButton,
};

enum class NoticeKind { Balloon, MessageBox };
enum class NoticeIcon { Warning, Error };

struct RunCheckFailure {
    CheckControl control = CheckControl::PasteList;
    NoticeKind kind = NoticeKind::Balloon;
    NoticeIcon icon = NoticeIcon::Warning;
    std::string caption;  // message boxes only
    std::string title;    // balloons only
    std::string text;
    std::optional<std::size_t> selectRow;  // 0-based row of the list `control` to select
    bool scrollPasteListToTop = false;     // scroll the paste-layer panel to its top before showing
    std::string revealPath;                // path-length guard: the path to show in the file manager
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

// Runs the checks in order: background, background size, paste layers, their selections,
// watermarks, slices, source folder, source scan, output folder. `sourceFolder` and `outputFolder`
// are the texts of the two folder fields. Only reads: a missing output folder passes when it can be
// created below its nearest existing ancestor.
RunCheckResult checkBeforeRun(const Document& doc, const std::string& sourceFolder,
                              const std::string& outputFolder, LoadMode mode);

// Creates the output folder, parents included, when it is missing; the failure when it cannot be.
std::optional<RunCheckFailure> createOutputFolder(const std::string& folder);

}  // namespace plazor
