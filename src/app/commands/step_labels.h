// The names of undo steps, as the Edit menu shows them after "撤销" and "重做": what the step did, as
// the user sees it. Every label text of the editor's commands is here.
#pragma once

#include <string>

#include "canvas/canvas_mode.h"

namespace plazor {

class Document;

// The step that command `id` makes, named from the layer it works on: the current layer, or for the
// paste layers' delete, copy and selected-layers commands the flagged paste layers. Empty for a
// command that does not edit the template by itself (a list event, zoom, a run).
std::string commandStepLabel(int id, const Document& doc, const CurrentLayer& current);

// An edit in the custom display style window of paste layer `number`.
std::string customStyleStepLabel(int number);

// A step whose commands have no name of their own.
std::string editStepLabel();

}  // namespace plazor
