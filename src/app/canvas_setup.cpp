#include "app/canvas_setup.h"

#include <QCheckBox>

#include "app/main_window.h"
#include "app/preferences.h"
#include "app/startup.h"
#include "canvas/canvas_widget.h"

namespace plazor {

Canvas& installCanvas(EditorContext& editor, EditorState& state) {
    const PanelControls& controls = editor.window.panel();
    auto switches = [&controls] {
        return CanvasSwitches{controls.showPictures->isChecked(), controls.pasteShowAreas->isChecked(),
                              controls.watermarksOn->isChecked(), controls.watermarkShowAreas->isChecked(),
                              controls.slicesOn->isChecked()};
    };
    auto loadMode = [&prefs = editor.prefs] { return static_cast<LoadMode>(prefs.loadMode); };
    auto* canvas = new Canvas(editor.doc, state, switches, loadMode);
    // The window takes the canvas into its host, which owns it from then on.
    editor.window.setCanvas(canvas);
    return *canvas;
}

}  // namespace plazor
