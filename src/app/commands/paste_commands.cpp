// Paste layer commands: new, insert, edit through the position dialog, copy, delete, and the level and
// overflow style of the current layer or of every selected layer.
#include "app/command_ids.h"
#include "app/commands/command_context.h"
#include "app/commands/editor_commands.h"
#include "app/commands/layer_commands.h"
#include "app/commands/layer_list_rules.h"
#include "app/layer_lists.h"
#include "app/main_window.h"
#include "app/preferences.h"
#include "dialogs/paste_layer_dialog.h"
#include "template/document.h"
#include "template/names.h"

namespace plazor {
namespace {

std::vector<std::size_t> indicesOf(const std::vector<int>& rows) {
    return {rows.begin(), rows.end()};
}

unsigned defaultLevel(const CommandContext& context) {
    return static_cast<unsigned>(context.prefs().defaultLayerLevel);
}

unsigned defaultStyle(const CommandContext& context) {
    return static_cast<unsigned>(context.prefs().defaultOverflowStyle);
}

// Selecting the new row makes the layer current and lets the user draw it on the canvas.
void newLayer(CommandContext& context) {
    Document& doc = context.doc();
    context.window().appendPasteRow(doc.addPasteLayer(defaultLevel(context), defaultStyle(context)));
    selectListRow(*context.window().pasteList(), static_cast<int>(doc.pasteLayers.size()) - 1);
}

void insertLayer(CommandContext& context) {
    LayerList& list = *context.window().pasteList();
    const std::optional<int> at = insertPosition(list.selectedRowIndices(), focusedListRow(list));
    if (!at) return;
    const auto index = static_cast<std::size_t>(*at);
    Document& doc = context.doc();
    context.window().insertPasteRow(doc.insertPasteLayer(index, defaultLevel(context), defaultStyle(context)),
                                    *at);
    rewriteRows(context, LayerKind::Paste, index + 1);
    // The canvas deals the source pictures out again from the new layer on.
    emit context.state.previewsInvalidated(*at);
    selectListRow(list, *at);
}

void editLayer(CommandContext& context) {
    EditorState& state = context.state;
    if (!state.current.is(LayerKind::Paste)) return;
    const int row = state.current.index;
    const auto index = static_cast<std::size_t>(row);
    Document& doc = context.doc();
    const PasteLayer before = doc.pasteLayers[index];
    const std::optional<PasteLayerDialogValues> values =
        context.pasteLayerDialog().run(before, doc.background.width, doc.background.height);
    if (values) {
        doc.setPasteLayerRect(index, values->x, values->y, values->width, values->height);
        const bool levelChanged = doc.setPasteLayerLevel(index, values->level);
        const bool styleChanged = doc.setPasteLayerStyle(index, values->overflowStyle);
        if (levelChanged || styleChanged) emit state.layerAppearanceChanged(LayerKind::Paste, row);
        switch (customStyleWindowChange(before.overflowStyle, values->overflowStyle)) {
            case CustomStyleWindowChange::Show:
                emit state.customStyleWindowRequested(row);
                break;
            case CustomStyleWindowChange::Hide:
                emit state.customStyleWindowRequested(-1);
                break;
            case CustomStyleWindowChange::Keep:
                break;
        }
        context.window().setPasteRow(row, doc.pasteLayers[index]);
        showLayerSize(context, values->width, values->height);
        // The mode is kept, except that a layer waiting to be drawn now has its rectangle: left
        // pending, the canvas would move it with the pointer and unplace it when the pointer leaves.
        if (state.mode == CanvasMode::PastePending) state.mode = CanvasMode::PasteSelected;
        emit state.scrollIntoViewRequested(LayerKind::Paste, row);
        emit state.repaintRequested();
    }
    focusCanvas(context);
}

// The copies are appended and become the selection.
void copyLayers(CommandContext& context) {
    LayerList& list = *context.window().pasteList();
    const std::vector<int> rows = list.selectedRowIndices();
    if (rows.empty()) return;
    Document& doc = context.doc();
    const std::size_t first = doc.pasteLayers.size();
    doc.copyPasteLayers(indicesOf(rows));
    for (std::size_t i = first; i < doc.pasteLayers.size(); ++i)
        context.window().appendPasteRow(doc.pasteLayers[i]);
    list.clearSelection();
    for (std::size_t i = first; i < doc.pasteLayers.size(); ++i)
        addListRow(list, static_cast<int>(i));
    emit context.state.repaintRequested();
}

void deleteLayers(CommandContext& context) {
    LayerList& list = *context.window().pasteList();
    const std::vector<int> rows = list.selectedRowIndices();
    if (rows.empty()) return;
    Document& doc = context.doc();
    context.state.deleting = true;
    for (auto row = rows.rbegin(); row != rows.rend(); ++row)
        list.removeRow(*row);
    doc.deletePasteLayers(indicesOf(rows));
    context.state.deleting = false;

    const int lowest = rows.front();
    rewriteRows(context, LayerKind::Paste, static_cast<std::size_t>(lowest));
    emit context.state.previewsInvalidated(lowest);
    if (const std::optional<int> next = rowAfterDelete(rows, list.rowCount())) {
        selectListRow(list, *next);
    } else {
        clearCurrentLayer(context);
    }
    emit context.state.repaintRequested();
}

void setCurrentLevel(CommandContext& context, unsigned level) {
    EditorState& state = context.state;
    if (!state.current.is(LayerKind::Paste)) return;
    const int row = state.current.index;
    if (context.doc().setPasteLayerLevel(static_cast<std::size_t>(row), level)) {
        emit state.layerAppearanceChanged(LayerKind::Paste, row);
    }
    context.window().setPasteRow(row, context.doc().pasteLayers[static_cast<std::size_t>(row)]);
    emit state.repaintRequested();
}

void setCurrentStyle(CommandContext& context, unsigned style) {
    EditorState& state = context.state;
    if (!state.current.is(LayerKind::Paste)) return;
    const int row = state.current.index;
    const auto index = static_cast<std::size_t>(row);
    const unsigned previous = context.doc().pasteLayers[index].overflowStyle;
    if (context.doc().setPasteLayerStyle(index, style))
        emit state.layerAppearanceChanged(LayerKind::Paste, row);
    context.window().setPasteRow(row, context.doc().pasteLayers[index]);
    if (style == kCustom) {
        emit state.customStyleWindowRequested(row);
    } else if (previous == kCustom) {
        emit state.customStyleWindowRequested(-1);
    }
    emit state.repaintRequested();
}

// The level or the style of every selected layer; the selection stays.
template <class Setter>
void setSelectedLayers(CommandContext& context, Setter set) {
    for (int row : context.window().pasteList()->selectedRowIndices()) {
        if (!set(context.doc(), static_cast<std::size_t>(row))) continue;
        emit context.state.layerAppearanceChanged(LayerKind::Paste, row);
        context.window().setPasteRow(row, context.doc().pasteLayers[static_cast<std::size_t>(row)]);
    }
    emit context.state.repaintRequested();
}

void setSelectedStyle(CommandContext& context, unsigned style) {
    setSelectedLayers(context,
                      [style](Document& doc, std::size_t i) { return doc.setPasteLayerStyle(i, style); });
    const std::vector<int> rows = context.window().pasteList()->selectedRowIndices();
    if (style == kCustom && rows.size() == 1) emit context.state.customStyleWindowRequested(rows.front());
}

}  // namespace

void installPasteCommands(CommandContext& context) {
    MainWindow& window = context.window();
    CommandContext* c = &context;
    window.setCommandHandler(cmd::kPasteNew, [c] { newLayer(*c); });
    window.setCommandHandler(cmd::kPasteInsert, [c] { insertLayer(*c); });
    window.setCommandHandler(cmd::kPasteEdit, [c] { editLayer(*c); });
    window.setCommandHandler(cmd::kPasteCopy, [c] { copyLayers(*c); });
    window.setCommandHandler(cmd::kPasteDelete, [c] { deleteLayers(*c); });

    for (unsigned level : {kAboveBackground, kBelowBackground}) {
        window.setCommandHandler(cmd::kCurrentLevelAbove + static_cast<int>(level),
                                 [c, level] { setCurrentLevel(*c, level); });
        window.setCommandHandler(cmd::kSelectedLevelAbove + static_cast<int>(level), [c, level] {
            setSelectedLayers(
                *c, [level](Document& doc, std::size_t i) { return doc.setPasteLayerLevel(i, level); });
        });
    }
    // The current layer's pop-up follows the style values, the context menu the list order.
    for (int id = cmd::kCurrentStyleFirst; id <= cmd::kCurrentStyleLast; ++id) {
        const auto style = static_cast<unsigned>(id - cmd::kCurrentStyleFirst);
        window.setCommandHandler(id, [c, style] { setCurrentStyle(*c, style); });
    }
    for (int id = cmd::kSelectedStyleFirst; id <= cmd::kSelectedStyleLast; ++id) {
        const unsigned style = overflowStyleAtListPosition(id - cmd::kSelectedStyleFirst);
        window.setCommandHandler(id, [c, style] { setSelectedStyle(*c, style); });
    }
}

}  // namespace plazor
