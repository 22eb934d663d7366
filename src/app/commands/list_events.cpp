// The three lists' notifications. A row's selection decides the current layer, the canvas mode and
// status part 2; a double click edits the layer or opens the level and style pop-ups by column.
#include "app/command_ids.h"
#include "app/commands/command_context.h"
#include "app/commands/editor_commands.h"
#include "app/commands/layer_commands.h"
#include "app/commands/layer_list_rules.h"
#include "app/layer_lists.h"
#include "app/main_window.h"
#include "template/document.h"

#include <initializer_list>

namespace plazor {
namespace {

template <class Layers>
bool holds(const Layers& layers, int row) {
    return row >= 0 && static_cast<std::size_t>(row) < layers.size();
}

// The other lists lose their selection first: their notices leave no current layer behind.
void clearOtherLists(CommandContext& context, LayerKind kind) {
    for (LayerKind other : {LayerKind::Paste, LayerKind::Watermark, LayerKind::Slice}) {
        if (other != kind) layerList(context, other).clearSelection();
    }
}

void makeWatermarkOrSliceCurrent(CommandContext& context, LayerKind kind, int row, bool justSelected) {
    clearOtherLists(context, kind);
    Document& doc = context.doc();
    const std::size_t index = static_cast<std::size_t>(row);
    if (kind == LayerKind::Slice) doc.deselectPasteLayers();
    const bool placed =
        kind == LayerKind::Watermark ? doc.watermarks[index].x != -1 : doc.slices[index].y != -1;
    context.state.current = {kind, row};
    context.state.mode = modeOfCurrentLayer(kind, placed);
    if (!placed || !justSelected) return;
    emit context.state.scrollIntoViewRequested(kind, row);
    if (kind == LayerKind::Watermark)
        showLayerSize(context, doc.watermarks[index].width, doc.watermarks[index].height);
}

void makePasteCurrent(CommandContext& context, int row, bool justSelected) {
    clearOtherLists(context, LayerKind::Paste);
    Document& doc = context.doc();
    doc.deselectPasteLayers();
    doc.setPasteLayerSelected(static_cast<std::size_t>(row), true);
    const PasteLayer& layer = doc.pasteLayers[static_cast<std::size_t>(row)];
    context.state.current = {LayerKind::Paste, row};
    context.state.mode = modeOfCurrentLayer(LayerKind::Paste, layer.isPlaced());
    LayerList& list = *context.window().pasteList();
    list.scrollTo(list.model()->index(row, 0));
    if (layer.isPlaced()) {
        if (justSelected) emit context.state.scrollIntoViewRequested(LayerKind::Paste, row);
        showLayerSize(context, layer.width, layer.height);
    } else {
        // A layer still to be drawn has no size to show.
        context.window().setStatusText(kStatusLayerSize, QString());
    }
    if (layer.overflowStyle == kCustom) emit context.state.customStyleWindowRequested(row);
}

void onSelectionChanged(CommandContext& context, const ListEvent& event) {
    LayerList& list = *qobject_cast<LayerList*>(context.window().control(event.listId));
    const std::vector<int> rows = list.selectedRowIndices();
    EditorState& state = context.state;
    const SelectionDecision decision = decideSelection({event.listId, event.selected, rows.size()},
                                                       state.lastSelectedList, state.deleting, state.mode);
    state.lastSelectedList = decision.lastSelectedList;
    const Document& doc = context.doc();
    const int row = rows.empty() ? -1 : rows.front();
    const bool justSelected = event.selected && event.row == row;
    switch (decision.rule) {
        case SelectionRule::Ignore:
            return;
        case SelectionRule::CurrentWatermark:
            if (holds(doc.watermarks, row))
                makeWatermarkOrSliceCurrent(context, LayerKind::Watermark, row, justSelected);
            break;
        case SelectionRule::CurrentSlice:
            if (holds(doc.slices, row))
                makeWatermarkOrSliceCurrent(context, LayerKind::Slice, row, justSelected);
            break;
        case SelectionRule::CurrentPaste:
            if (holds(doc.pasteLayers, row)) makePasteCurrent(context, row, justSelected);
            break;
        case SelectionRule::SeveralPaste:
            context.doc().setPasteLayerSelected(static_cast<std::size_t>(event.row), event.selected);
            state.current = {};
            state.mode = CanvasMode::MultipleSelection;
            context.window().setStatusText(kStatusLayerSize, QString());
            break;
        case SelectionRule::NoneSelected:
            clearCurrentLayer(context);
            break;
        case SelectionRule::RepaintOnly:
            break;
    }
    emit state.repaintRequested();
}

// The level pop-up opens at the cell, the style pop-up beside the row's first six columns; both check
// the current paste layer's value.
void showPastePopup(CommandContext& context, DoubleClickAction action, int row, int column) {
    if (!context.state.current.is(LayerKind::Paste)) return;
    const PasteLayer& layer =
        context.doc().pasteLayers[static_cast<std::size_t>(context.state.current.index)];
    LayerList& list = *context.window().pasteList();
    const QRect cell = list.visualRect(list.model()->index(row, column));
    if (action == DoubleClickAction::PasteLevelPopup) {
        context.window().showPopup(MainWindow::Popup::CurrentLevel,
                                   list.viewport()->mapToGlobal(cell.bottomLeft()),
                                   cmd::kCurrentLevelAbove + static_cast<int>(layer.level));
    } else {
        context.window().showPopup(MainWindow::Popup::CurrentStyle,
                                   list.viewport()->mapToGlobal(cell.topLeft()),
                                   cmd::kCurrentStyleFirst + static_cast<int>(layer.overflowStyle));
    }
}

void onDoubleClick(CommandContext& context, const ListEvent& event) {
    const DoubleClickAction action = doubleClickAction(event.listId, event.column);
    switch (action) {
        case DoubleClickAction::None:
            break;
        case DoubleClickAction::EditPaste:
            context.window().onCommand(cmd::kPasteEdit);
            break;
        case DoubleClickAction::PasteLevelPopup:
        case DoubleClickAction::PasteStylePopup:
            showPastePopup(context, action, event.row, event.column);
            break;
        case DoubleClickAction::EditWatermark:
            context.window().onCommand(cmd::kWatermarkEdit);
            break;
        case DoubleClickAction::ChangeWatermarkPicture:
            context.window().onCommand(cmd::kWatermarkChangePicture);
            break;
        case DoubleClickAction::EditSlice:
            context.window().onCommand(cmd::kSliceEdit);
            break;
    }
}

}  // namespace

void installListEvents(CommandContext& context) {
    context.window().setListEventHandler([&context](const ListEvent& event) {
        if (event.kind == ListEventKind::SelectionChanged) {
            onSelectionChanged(context, event);
        } else if (event.kind == ListEventKind::DoubleClick) {
            onDoubleClick(context, event);
        }
    });
}

}  // namespace plazor
