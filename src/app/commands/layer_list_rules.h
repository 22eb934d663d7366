// Decisions of the three layer lists, from plain inputs: which rule a selection notice follows, the
// canvas mode of a newly current layer, where an inserted layer goes, which row is selected after a
// delete and what a double click on a cell does.
#pragma once

#include "canvas/editor_state.h"

#include <cstddef>
#include <optional>
#include <vector>

namespace plazor {

enum class SelectionRule {
    Ignore,            // while paste layers are deleted or a rubber band is dragged
    CurrentWatermark,  // one row of the watermark list is selected
    CurrentSlice,      // one row of the slice list is selected
    CurrentPaste,      // one paste row is selected and the paste list gained a selection last
    SeveralPaste,      // several paste rows are selected: multiple selection
    NoneSelected,      // no row of the list is selected
    RepaintOnly,       // one paste row is left while another list gained a selection last
};

// A row of a list changed its selected state.
struct SelectionNotice {
    int listId = 0;
    bool selected = false;          // the row's new state
    std::size_t selectedCount = 0;  // rows of the list selected now
};

struct SelectionDecision {
    SelectionRule rule = SelectionRule::Ignore;
    int lastSelectedList = 0;  // the list that most recently gained a selection, this notice included
    bool operator==(const SelectionDecision&) const = default;
};

SelectionDecision decideSelection(const SelectionNotice& notice, int lastSelectedList, bool deleting,
                                  CanvasMode mode);

// A layer that becomes current waits to be drawn (pending) until it has a position, then is selected.
CanvasMode modeOfCurrentLayer(LayerKind kind, bool placed);

// An inserted layer goes before the focused row when it is selected, else before the first selected
// row; nothing without a selection. `selectedRows` ascending.
std::optional<int> insertPosition(const std::vector<int>& selectedRows, int focusedRow);

// After rows were deleted, the row at the lowest deleted position is selected, or the new last row
// when the deleted ones were at the end; nothing when no row is left.
std::optional<int> rowAfterDelete(const std::vector<int>& deletedRows, int remainingRows);

enum class DoubleClickAction {
    None,
    EditPaste,
    PasteLevelPopup,
    PasteStylePopup,
    EditWatermark,
    ChangeWatermarkPicture,
    EditSlice
};

// Paste list: "编号" to "高" edit, "层次" and "溢出样式" open their pop-ups; watermark list: "编号" to "高"
// edit, "图片路径" changes the picture; slice list: any column edits.
DoubleClickAction doubleClickAction(int listId, int column);

}  // namespace plazor
