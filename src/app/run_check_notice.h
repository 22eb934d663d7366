// Shows a failed check before a run the way the window shows it: a balloon on the control concerned,
// or a message box after which that control takes the focus. The caller says which widget stands for
// each control and how its lists select a row or scroll.
#pragma once

#include <QString>

#include <cstddef>
#include <functional>
#include <string>

#include "render/run_checks.h"
#include "shell/local_file_url.h"
#include "shell/ui_port.h"

class QWidget;

namespace plazor {

struct CheckNoticeTargets {
    std::function<QWidget*(CheckControl)> control;
    // Selects the 0-based row of the list `control` (and only that row).
    std::function<void(CheckControl list, std::size_t row)> selectRow;
    // Scrolls the paste-layer panel to its top.
    std::function<void()> scrollPasteListToTop;
};

UiIcon uiIconOf(NoticeIcon icon);

// Scrolls and selects as the failure asks, then shows its balloon or box. After the path-length guard's
// box the folder holding the offending path is opened, and the operation is abandoned by the caller.
void presentCheckFailure(UiPort& ui, const CheckNoticeTargets& targets, const RunCheckFailure& failure);

}  // namespace plazor
