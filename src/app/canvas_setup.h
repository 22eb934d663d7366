// Creates the editor's one canvas and puts it into the main window.
#pragma once

namespace plazor {

class Canvas;
class EditorState;
struct EditorContext;

// The canvas reads the document, the editor state, the layer blocks' check boxes and the load mode.
Canvas& installCanvas(EditorContext& editor, EditorState& state);

}  // namespace plazor
