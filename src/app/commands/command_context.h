// What every command handler of the main window works with: the start-up's context (UI port,
// document, preferences, main window, info window, folders), the editor state, the run controller and
// the dialogs, which are created on first use and reused.
#pragma once

#include "app/startup.h"
#include "canvas/editor_state.h"
#include "util/info_line.h"

namespace plazor {

class RunController;
class PasteLayerDialog;
class WatermarkDialog;
class SliceDialog;
class InputBox;

class CommandContext {
  public:
    CommandContext(EditorContext& editor, EditorState& state, RunController& run);
    ~CommandContext();
    CommandContext(const CommandContext&) = delete;
    CommandContext& operator=(const CommandContext&) = delete;

    EditorContext& editor;
    EditorState& state;
    RunController& run;

    // Shorthands.
    UiPort& ui() const { return editor.ui; }
    Document& doc() const { return editor.doc; }
    Preferences& prefs() const { return editor.prefs; }
    MainWindow& window() const { return editor.window; }

    // Dialogs, created on first use as children of the main window (which owns them) and reused.
    PasteLayerDialog& pasteLayerDialog();
    WatermarkDialog& watermarkDialog();
    SliceDialog& sliceDialog();
    InputBox& inputBox();

    // Writes an info-window line (UTF-8).
    void info(const InfoLine& line) const;

  private:
    PasteLayerDialog* pasteLayerDialog_ = nullptr;
    WatermarkDialog* watermarkDialog_ = nullptr;
    SliceDialog* sliceDialog_ = nullptr;
    InputBox* inputBox_ = nullptr;
};

}  // namespace plazor
