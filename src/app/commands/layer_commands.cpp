#include "app/commands/layer_commands.h"

#include "app/commands/command_context.h"
#include "app/commands/layer_list_rules.h"
#include "app/layer_lists.h"
#include "app/main_window.h"
#include "template/document.h"

#include <QItemSelectionModel>

namespace plazor {

LayerList& layerList(CommandContext& context, LayerKind kind) {
    MainWindow& window = context.window();
    switch (kind) {
        case LayerKind::Watermark:
            return *window.watermarkList();
        case LayerKind::Slice:
            return *window.sliceList();
        case LayerKind::Paste:
        case LayerKind::None:
            break;
    }
    return *window.pasteList();
}

void selectListRow(LayerList& list, int row) {
    list.clearSelection();
    addListRow(list, row);
}

void addListRow(LayerList& list, int row) {
    if (row < 0 || row >= list.rowCount()) return;
    const QModelIndex index = list.model()->index(row, 0);
    list.selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    list.selectionModel()->select(index, QItemSelectionModel::Select | QItemSelectionModel::Rows);
    list.scrollTo(index);
}

int focusedListRow(const LayerList& list) {
    return list.currentIndex().isValid() ? list.currentIndex().row() : -1;
}

void rewriteRows(CommandContext& context, LayerKind kind, std::size_t first) {
    const Document& doc = context.doc();
    MainWindow& window = context.window();
    switch (kind) {
        case LayerKind::Paste:
            for (std::size_t i = first; i < doc.pasteLayers.size(); ++i)
                window.setPasteRow(static_cast<int>(i), doc.pasteLayers[i]);
            break;
        case LayerKind::Watermark:
            for (std::size_t i = first; i < doc.watermarks.size(); ++i)
                window.setWatermarkRow(static_cast<int>(i), doc.watermarks[i]);
            break;
        case LayerKind::Slice:
            for (std::size_t i = first; i < doc.slices.size(); ++i)
                window.setSliceRow(static_cast<int>(i), doc.slices[i]);
            break;
        case LayerKind::None:
            break;
    }
}

void deleteSelectedLayer(CommandContext& context, LayerKind kind) {
    LayerList& list = layerList(context, kind);
    const std::vector<int> rows = list.selectedRowIndices();
    if (rows.empty()) return;
    // Clearing the selection first leaves no current layer behind, whatever the removal reports.
    list.clearSelection();
    const std::vector<std::size_t> indices(rows.begin(), rows.end());
    if (kind == LayerKind::Watermark) {
        context.doc().deleteWatermarks(indices);
    } else {
        context.doc().deleteSlices(indices);
    }
    for (auto row = rows.rbegin(); row != rows.rend(); ++row)
        list.removeRow(*row);
    rewriteRows(context, kind, indices.front());
    if (const std::optional<int> next = rowAfterDelete(rows, list.rowCount())) selectListRow(list, *next);
    emit context.state.repaintRequested();
}

void clearCurrentLayer(CommandContext& context) {
    context.state.clearCurrent();
    context.doc().deselectPasteLayers();
    context.window().setStatusText(kStatusLayerSize, QString());
}

void showLayerSize(CommandContext& context, int width, int height) {
    context.window().setStatusText(kStatusLayerSize, pixelSizeText(width, height));
}

void focusCanvas(CommandContext& context) {
    context.window().canvas()->setFocus();
}

}  // namespace plazor
