// Horizontal slice commands: new, edit through the position dialog (the slices stay in order by y),
// delete.
#include "app/command_ids.h"
#include "app/commands/command_context.h"
#include "app/commands/editor_commands.h"
#include "app/commands/layer_commands.h"
#include "app/layer_lists.h"
#include "app/main_window.h"
#include "dialogs/slice_dialog.h"
#include "template/document.h"

namespace plazor {
namespace {

// The new slice waits for its y; selecting its row lets the user place it on the canvas.
void newSlice(CommandContext& context) {
    Document& doc = context.doc();
    context.window().appendSliceRow(doc.addSlice(-1));
    selectListRow(*context.window().sliceList(), static_cast<int>(doc.slices.size()) - 1);
    emit context.state.repaintRequested();
}

void editSlice(CommandContext& context) {
    EditorState& state = context.state;
    if (!state.current.is(LayerKind::Slice)) return;
    Document& doc = context.doc();
    const std::optional<int> y = context.sliceDialog().run(
        doc.slices[static_cast<std::size_t>(state.current.index)], doc.background.height);
    if (y) {
        const int row = static_cast<int>(doc.moveSlice(static_cast<std::size_t>(state.current.index), *y));
        rewriteRows(context, LayerKind::Slice, 0);
        selectListRow(*context.window().sliceList(), row);
        state.current = {LayerKind::Slice, row};
        state.mode = CanvasMode::SliceSelected;
        emit state.scrollIntoViewRequested(LayerKind::Slice, row);
        emit state.repaintRequested();
    }
    focusCanvas(context);
}

}  // namespace

void installSliceCommands(CommandContext& context) {
    MainWindow& window = context.window();
    CommandContext* c = &context;
    window.setCommandHandler(cmd::kSliceNew, [c] { newSlice(*c); });
    window.setCommandHandler(cmd::kSliceEdit, [c] { editSlice(*c); });
    window.setCommandHandler(cmd::kSliceDelete, [c] { deleteSelectedLayer(*c, LayerKind::Slice); });
}

}  // namespace plazor
