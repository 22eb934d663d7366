// Steps that the template, background and output commands share: binding a command group's members,
// the background refresh, reloading the source pictures and the window title.
#pragma once

#include "app/commands/command_context.h"
#include "app/main_window.h"

namespace plazor {

// Registers a member of a command group for the command `id`; the group is made from the context
// each time the command runs.
template <class Group>
void bindCommand(CommandContext& context, int id, void (Group::*command)()) {
    context.window().setCommandHandler(id, [&context, command] { (Group(context).*command)(); });
}

// Status part 0 shows the background size and the canvas is resized to it; skipped while loading.
void refreshBackground(CommandContext& context);

// Scans the source folder shown in its field, in the load mode of the preferences, into the source
// list, and tells the canvas that its previews are stale. A path-length guard is shown (caption "提示")
// and leaves the list empty.
void reloadSources(CommandContext& context);

// "Plazor图片排版工具 - <template name>"
void updateTitle(CommandContext& context);

}  // namespace plazor
