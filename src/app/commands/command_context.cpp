#include "app/commands/command_context.h"

#include "app/info_window.h"
#include "app/main_window.h"
#include "dialogs/input_box.h"
#include "dialogs/paste_layer_dialog.h"
#include "dialogs/slice_dialog.h"
#include "dialogs/watermark_dialog.h"

namespace plazor {

CommandContext::CommandContext(EditorContext& e, EditorState& s, RunController& r)
    : editor(e), state(s), run(r) {}

CommandContext::~CommandContext() = default;

PasteLayerDialog& CommandContext::pasteLayerDialog() {
    if (!pasteLayerDialog_) pasteLayerDialog_ = new PasteLayerDialog(&window(), ui());
    return *pasteLayerDialog_;
}

WatermarkDialog& CommandContext::watermarkDialog() {
    if (!watermarkDialog_) watermarkDialog_ = new WatermarkDialog(&window(), ui());
    return *watermarkDialog_;
}

SliceDialog& CommandContext::sliceDialog() {
    if (!sliceDialog_) sliceDialog_ = new SliceDialog(&window(), ui());
    return *sliceDialog_;
}

InputBox& CommandContext::inputBox() {
    if (!inputBox_) inputBox_ = new InputBox(&window(), ui());
    return *inputBox_;
}

void CommandContext::info(const InfoLine& line) const {
    editor.info.appendLine(QString::fromStdString(line.text), line.blankAfter);
}

}  // namespace plazor
