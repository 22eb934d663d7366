// Creates the editor's one canvas, puts it into the main window and connects it to the layer lists,
// the status bar and the commands.
#pragma once

namespace plazor {

class Canvas;
class CommandContext;

// The canvas reads the document, the editor state, the layer blocks' check boxes and the load mode.
Canvas& installCanvas(CommandContext& context);

}  // namespace plazor
