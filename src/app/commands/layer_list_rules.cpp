#include "app/commands/layer_list_rules.h"

#include "app/command_ids.h"

#include <algorithm>

namespace plazor {

namespace {

// Columns "编号", "x", "y", "宽", "高" of the paste and watermark lists.
constexpr int kLastRectangleColumn = 4;
constexpr int kPasteLevelColumn = 5;
constexpr int kPasteStyleColumn = 6;
constexpr int kWatermarkPathColumn = 5;

}  // namespace

SelectionDecision decideSelection(const SelectionNotice& notice, int lastSelectedList, bool deleting,
                                  CanvasMode mode) {
    SelectionDecision decision{SelectionRule::Ignore, notice.selected ? notice.listId : lastSelectedList};
    if (deleting || mode == CanvasMode::BandDragging) return decision;
    if (notice.selectedCount == 0) {
        decision.rule = SelectionRule::NoneSelected;
    } else if (notice.listId != ctl::kPasteList) {
        if (notice.selectedCount > 1) {
            decision.rule = SelectionRule::RepaintOnly;
        } else {
            decision.rule = notice.listId == ctl::kWatermarkList ? SelectionRule::CurrentWatermark
                                                                 : SelectionRule::CurrentSlice;
        }
    } else if (notice.selectedCount > 1) {
        decision.rule = SelectionRule::SeveralPaste;
    } else {
        decision.rule = decision.lastSelectedList == ctl::kPasteList ? SelectionRule::CurrentPaste
                                                                     : SelectionRule::RepaintOnly;
    }
    return decision;
}

CanvasMode modeOfCurrentLayer(LayerKind kind, bool placed) {
    switch (kind) {
        case LayerKind::Paste:
            return placed ? CanvasMode::PasteSelected : CanvasMode::PastePending;
        case LayerKind::Watermark:
            return placed ? CanvasMode::WatermarkSelected : CanvasMode::WatermarkPending;
        case LayerKind::Slice:
            return placed ? CanvasMode::SliceSelected : CanvasMode::SlicePending;
        case LayerKind::None:
            break;
    }
    return CanvasMode::Idle;
}

std::optional<int> insertPosition(const std::vector<int>& selectedRows, int focusedRow) {
    if (selectedRows.empty()) return std::nullopt;
    if (std::find(selectedRows.begin(), selectedRows.end(), focusedRow) != selectedRows.end())
        return focusedRow;
    return selectedRows.front();
}

std::optional<int> rowAfterDelete(const std::vector<int>& deletedRows, int remainingRows) {
    if (deletedRows.empty() || remainingRows <= 0) return std::nullopt;
    const int lowest = *std::min_element(deletedRows.begin(), deletedRows.end());
    return std::min(lowest, remainingRows - 1);
}

DoubleClickAction doubleClickAction(int listId, int column) {
    if (column < 0) return DoubleClickAction::None;
    switch (listId) {
        case ctl::kPasteList:
            if (column <= kLastRectangleColumn) return DoubleClickAction::EditPaste;
            if (column == kPasteLevelColumn) return DoubleClickAction::PasteLevelPopup;
            if (column == kPasteStyleColumn) return DoubleClickAction::PasteStylePopup;
            break;
        case ctl::kWatermarkList:
            if (column <= kLastRectangleColumn) return DoubleClickAction::EditWatermark;
            if (column == kWatermarkPathColumn) return DoubleClickAction::ChangeWatermarkPicture;
            break;
        case ctl::kSliceList:
            return DoubleClickAction::EditSlice;
        default:
            break;
    }
    return DoubleClickAction::None;
}

}  // namespace plazor
