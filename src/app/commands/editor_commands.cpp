#include "app/commands/editor_commands.h"

#include "app/canvas_setup.h"
#include "app/commands/command_context.h"
#include "app/external_tasks.h"
#include "app/file_drops.h"
#include "app/info_window.h"
#include "app/main_window.h"
#include "app/run_controller.h"
#include "canvas/editor_state.h"

namespace plazor {

namespace {

void installFileDrops(CommandContext& context) {
    const PanelControls& panel = context.window().panel();
    new FileDropFilter(&context.window(), panel.sourceFolder, panel.outputFolder,
                       [&context](DropAction action, const QString& path) {
                           switch (action) {
                               case DropAction::OpenTemplate:
                                   openTemplateFile(context, path);
                                   break;
                               case DropAction::SourceFolder:
                                   useSourceFolder(context, path.toStdString());
                                   break;
                               case DropAction::OutputFolder:
                                   useOutputFolder(context, path.toStdString());
                                   break;
                               case DropAction::None:
                                   break;
                           }
                       });
}

}  // namespace

EditorCommands::EditorCommands(EditorContext& editor)
    : QObject(&editor.window),
      state_(std::make_unique<EditorState>()),
      run_(new RunController(editor.ui, &editor.window)),
      context_(std::make_unique<CommandContext>(editor, *state_, *run_)) {
    run_->setInfoSink(
        [&info = editor.info](const QString& line, bool blankAfter) { info.appendLine(line, blankAfter); });
    installCanvas(*context_);
    installTemplateCommands(*context_);
    installBackgroundCommands(*context_);
    installOutputCommands(*context_);
    installHelpCommands(*context_);
    installPasteCommands(*context_);
    installGeneratorCommands(*context_);
    installWatermarkCommands(*context_);
    installSliceCommands(*context_);
    installListEvents(*context_);
    installCustomStyleWindow(*context_);
    installEditCommands(*context_);
    installExternalTasks(*context_);
    installFileDrops(*context_);
}

EditorCommands::~EditorCommands() = default;

}  // namespace plazor
