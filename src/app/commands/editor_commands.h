// The main window's command handlers, installed once at start-up. The object lives as a child of the
// main window and owns the editor state and the command context; the run controller is the window's
// child too.
#pragma once

#include <QObject>
#include <QString>

#include <memory>
#include <string>

#include "app/startup.h"

namespace plazor {

class CommandContext;
class EditorState;
class RunController;

class EditorCommands : public QObject {
    Q_OBJECT

  public:
    // Registers every handler with the main window.
    explicit EditorCommands(EditorContext& editor);
    ~EditorCommands() override;

    EditorState& state() { return *state_; }
    RunController& runController() { return *run_; }
    CommandContext& context() { return *context_; }

  private:
    std::unique_ptr<EditorState> state_;
    RunController* run_;  // owned by the main window
    std::unique_ptr<CommandContext> context_;
};

// The command groups; each registers its handlers with context.window().setCommandHandler.
void installTemplateCommands(CommandContext& context);  // new, open, save, save as, close
void installBackgroundCommands(
    CommandContext& context);  // background type, picture, size, unit, colour, DPI, zoom
void installOutputCommands(CommandContext& context);  // check boxes, output settings, folders, refresh, start
void installHelpCommands(CommandContext& context);    // companion, user guide, web site, about
void installPasteCommands(CommandContext& context);   // paste layers
void installGeneratorCommands(CommandContext& context);  // multi-grid and heart layout generators
void installWatermarkCommands(CommandContext& context);  // watermark layers
void installSliceCommands(CommandContext& context);      // horizontal slices
void installListEvents(CommandContext& context);         // the three lists' selection and double clicks
void installCustomStyleWindow(CommandContext& context);  // the custom display style window
void installEditCommands(CommandContext& context);       // undo, redo and the step around every command

// Opens the template at `path` as cmd::kOpenTemplate would once the file is chosen: the save question first.
void openTemplateFile(CommandContext& context, const QString& path);

// A folder put into the source field as ctl::kChooseSource puts a chosen one (the output folder proposed
// beside it), and one put into the output field as ctl::kChooseOutput does.
void useSourceFolder(CommandContext& context, const std::string& folder);
void useOutputFolder(CommandContext& context, const std::string& folder);

}  // namespace plazor
