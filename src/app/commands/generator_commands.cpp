// The paste layer generators: the multi-grid (cmd::kPasteMultiGrid) and the heart layout (cmd::kPasteHeart).
// Their dialogs are children of the main window, made at first use and reused.
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

#include "app/command_ids.h"
#include "app/commands/command_context.h"
#include "app/commands/command_steps.h"
#include "app/commands/editor_commands.h"
#include "app/commands/layer_commands.h"
#include "app/layer_lists.h"
#include "app/main_window.h"
#include "app/preferences.h"
#include "dialogs/grid_dialog.h"
#include "dialogs/heart_dialog.h"
#include "template/document.h"

namespace plazor {
namespace {

template <class Dialog>
Dialog& generatorDialog(CommandContext& context) {
    MainWindow& window = context.window();
    if (auto* dialog = window.findChild<Dialog*>(QString(), Qt::FindDirectChildrenOnly)) return *dialog;
    return *new Dialog(&window, context.ui());
}

// Appends one paste layer per cell, with the default level and style, each with its row.
void appendCells(CommandContext& context, const std::vector<CellRect>& cells) {
    Document& doc = context.doc();
    const auto level = static_cast<unsigned>(context.prefs().defaultLayerLevel);
    const auto style = static_cast<unsigned>(context.prefs().defaultOverflowStyle);
    for (const CellRect& cell : cells) {
        doc.addPasteLayer(level, style);
        const std::size_t index = doc.pasteLayers.size() - 1;
        doc.setPasteLayerRect(index, cell.x, cell.y, cell.width, cell.height);
        context.window().appendPasteRow(doc.pasteLayers[index]);
    }
}

void addGrid(CommandContext& context) {
    const Background& background = context.doc().background;
    const std::optional<GridRequest> request =
        generatorDialog<GridDialog>(context).run(background.width, background.height);
    if (!request) return;
    appendCells(context, gridCells(*request));
    LayerList& list = *context.window().pasteList();
    selectListRow(list, list.rowCount() - 1);
    list.setFocus();
    emit context.state.repaintRequested();
}

// A white colour background in pixels of `size`, switched to as a user's clicks would.
void resizeBackground(CommandContext& context, HeartSize size) {
    Document& doc = context.doc();
    MainWindow& window = context.window();
    const PanelControls& controls = window.panel();
    if (doc.background.kind != kColourBackground) {
        controls.customOption->setChecked(true);
        window.onCommand(ctl::kCustomOption);
    }
    if (controls.colour->currentIndex() != kColourWhite) {
        controls.colour->setCurrentIndex(kColourWhite);
        window.onCommand(ctl::kColourList);
    }
    if (doc.background.unit != kUnitPixels) {
        controls.unit->setCurrentIndex(kUnitPixels);
        window.onCommand(ctl::kUnitList);
    }
    const QString width = QString::number(size.width);
    const QString height = QString::number(size.height);
    {
        DepthGuard writing(context.state.programmaticEditDepth);
        controls.width->setText(width);
        controls.height->setText(height);
    }
    // Read from the numbers, not the fields: a size beyond a field's length limit still holds.
    doc.setBackgroundSizeFromTexts(width.toStdString(), height.toStdString(), context.prefs().dpi);
    refreshBackground(context);
}

void addHeart(CommandContext& context) {
    const Background& background = context.doc().background;
    const std::optional<HeartRequest> request =
        generatorDialog<HeartDialog>(context).run(background.width, background.height);
    if (!request) return;
    const HeartPlan plan = heartPlan(*request, background.width, background.height);
    if (plan.background) resizeBackground(context, *plan.background);
    appendCells(context, heartCells(*request, plan.x, plan.y));
    context.window().pasteList()->setFocus();
    emit context.state.repaintRequested();
}

}  // namespace

void installGeneratorCommands(CommandContext& context) {
    CommandContext* c = &context;
    context.window().setCommandHandler(cmd::kPasteMultiGrid, [c] { addGrid(*c); });
    context.window().setCommandHandler(cmd::kPasteHeart, [c] { addHeart(*c); });
}

}  // namespace plazor
