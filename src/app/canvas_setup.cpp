#include "app/canvas_setup.h"

#include <QCheckBox>
#include <QItemSelectionModel>

#include "app/canvas_menu.h"
#include "app/command_ids.h"
#include "app/commands/command_context.h"
#include "app/commands/layer_commands.h"
#include "app/layer_lists.h"
#include "app/list_rows.h"
#include "app/main_window.h"
#include "app/preferences.h"
#include "app/startup.h"
#include "canvas/canvas_widget.h"
#include "template/document.h"

namespace plazor {
namespace {

// The canvas selects rows as a click on the list does, so the list's own handling follows.
class WindowLayerRows : public LayerRows {
  public:
    explicit WindowLayerRows(CommandContext& context) : c_(context) {}

    void clear(LayerKind kind) override { layerList(c_, kind).clearSelection(); }
    void select(LayerKind kind, int row) override { addListRow(layerList(c_, kind), row); }
    void deselect(LayerKind kind, int row) override {
        LayerList& list = layerList(c_, kind);
        if (row < 0 || row >= list.rowCount()) return;
        list.selectionModel()->select(list.model()->index(row, 0),
                                      QItemSelectionModel::Deselect | QItemSelectionModel::Rows);
    }
    void reveal(LayerKind kind, int row) override {
        LayerList& list = layerList(c_, kind);
        if (row >= 0 && row < list.rowCount()) list.scrollTo(list.model()->index(row, 0));
    }

  private:
    CommandContext& c_;
};

// A rectangle being drawn leftwards or upwards is shown with its top-left corner and a positive size.
template <class Layer>
Layer normalised(Layer layer) {
    if (layer.width < 0) layer.x += layer.width, layer.width = -layer.width;
    if (layer.height < 0) layer.y += layer.height, layer.height = -layer.height;
    return layer;
}

// The rows of the layers the canvas changes, and the size read-out of the current one.
void updateLists(CommandContext& c) {
    const Document& doc = c.doc();
    const CurrentLayer current = c.state.current;
    MainWindow& window = c.window();
    if (c.state.mode == CanvasMode::MultipleSelection || c.state.mode == CanvasMode::BandDragging) {
        for (std::size_t i = 0; i < doc.pasteLayers.size(); ++i) {
            if (doc.pasteLayers[i].selected) window.setPasteRow(static_cast<int>(i), doc.pasteLayers[i]);
        }
        return;
    }
    if (current.index < 0) return;
    const auto i = static_cast<std::size_t>(current.index);
    if (current.kind == LayerKind::Paste && i < doc.pasteLayers.size()) {
        if (c.state.mode == CanvasMode::PastePending) {
            // The layer waiting to be drawn (width -1) shows where it would start while the pointer
            // is on the background.
            const PasteLayer& layer = doc.pasteLayers[i];
            std::vector<std::string> cells = insertedPasteRowTexts(layer);
            if (layer.x >= 0 && layer.y >= 0 && layer.x <= doc.background.width &&
                layer.y <= doc.background.height) {
                cells[1] = std::to_string(layer.x);
                cells[2] = std::to_string(layer.y);
            }
            window.pasteList()->setRowTexts(current.index, cells);
            return;
        }
        const PasteLayer layer = normalised(doc.pasteLayers[i]);
        window.setPasteRow(current.index, layer);
        if (layer.isPlaced()) showLayerSize(c, layer.width, layer.height);
        // The custom display style window follows the layer's new size.
        if (layer.width > 0) emit c.state.repaintRequested();
    } else if (current.kind == LayerKind::Watermark && i < doc.watermarks.size()) {
        const WatermarkLayer layer = normalised(doc.watermarks[i]);
        window.setWatermarkRow(current.index, layer);
        showLayerSize(c, layer.width, layer.height);
    } else if (current.kind == LayerKind::Slice && i < doc.slices.size()) {
        window.setSliceRow(current.index, doc.slices[i]);
    }
}

}  // namespace

Canvas& installCanvas(CommandContext& context) {
    EditorContext& editor = context.editor;
    const PanelControls& controls = editor.window.panel();
    auto switches = [&controls] {
        return CanvasSwitches{controls.showPictures->isChecked(), controls.pasteShowAreas->isChecked(),
                              controls.watermarksOn->isChecked(), controls.watermarkShowAreas->isChecked(),
                              controls.slicesOn->isChecked()};
    };
    auto loadMode = [&prefs = editor.prefs] { return static_cast<LoadMode>(prefs.loadMode); };
    auto* canvas = new Canvas(editor.doc, context.state, switches, loadMode);
    // The window takes the canvas into its host, which owns it from then on.
    editor.window.setCanvas(canvas);
    auto* menu = new CanvasMenu(context, *canvas);

    CommandContext* c = &context;
    CanvasHooks hooks;
    hooks.rows = std::make_unique<WindowLayerRows>(context);
    hooks.updateLists = [c] { updateLists(*c); };
    hooks.rewriteSliceRows = [c] { rewriteRows(*c, LayerKind::Slice, 0); };
    hooks.showCursorText = [c](const QString& text) { c->window().setStatusText(kStatusCursor, text); };
    hooks.chooseWatermarkPicture = [c] { c->window().onCommand(cmd::kWatermarkChangePicture); };
    hooks.showContextMenu = [menu](const ContextMenuPlan& plan, const QPoint& at) { menu->show(plan, at); };
    canvas->setHooks(std::move(hooks));
    return *canvas;
}

}  // namespace plazor
