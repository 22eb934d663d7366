// Shows a failed check before a run the way the window shows it: a balloon on the control concerned,
// or a message box after which that control takes the focus. Which of the two, with which icon, on
// which control and with which scrolling is the editor's choice, made for each check in one place.
// The caller says which widget stands for each control and how its lists select a row or scroll.
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

struct PanelControls;

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

// How the editor shows one failed check.
struct CheckNotice {
    NoticeKind kind = NoticeKind::Balloon;
    UiIcon icon = UiIcon::Warning;
    CheckControl control = CheckControl::PasteList;
    bool scrollPasteListToTop = false;  // the paste-layer panel is scrolled to its top first
    bool selectRow = false;             // the failure's row is selected in the control's list
    bool revealPath = false;            // the folder holding the failure's path is opened after the box
};

CheckNotice checkNoticeOf(RunCheck check);

// The side panel's widget that stands for `control`.
QWidget* panelControlOf(const PanelControls& controls, CheckControl control);

struct CheckNoticeTargets {
    std::function<QWidget*(CheckControl)> control;
    // Selects the 0-based row of the list `control` (and only that row).
    std::function<void(CheckControl list, std::size_t row)> selectRow;
    // Scrolls the paste-layer panel to its top.
    std::function<void()> scrollPasteListToTop;
};

// Scrolls and selects as the failure's check asks, then shows its balloon or box. After the
// path-length guard's box the folder holding the offending path is opened, and the operation is
// abandoned by the caller.
void presentCheckFailure(UiPort& ui, const CheckNoticeTargets& targets, const RunCheckFailure& failure);

}  // namespace plazor
