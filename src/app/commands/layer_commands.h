// What the paste, watermark and slice commands and the lists' notifications share: the list of a
// layer kind, row selection as a user's click makes it, and the editor without a current layer.
#pragma once

#include "canvas/editor_state.h"

#include <QCoreApplication>
#include <QString>

#include <cstddef>

namespace plazor {

class CommandContext;
class LayerList;

// Texts of the layer commands, translated in one context.
inline QString layerText(const char* text) {
    return QCoreApplication::translate("LayerCommands", text);
}

LayerList& layerList(CommandContext& context, LayerKind kind);

// Clears the list's selection and then selects `row`, each step notified like a user's click; the row
// becomes the focused one and is scrolled into view.
void selectListRow(LayerList& list, int row);
// Selects `row` as well, keeping the rows already selected.
void addListRow(LayerList& list, int row);
// The focused row, or -1.
int focusedListRow(const LayerList& list);

// Rewrites the rows of a layer list from position `first` on, after layers moved or were renumbered.
void rewriteRows(CommandContext& context, LayerKind kind, std::size_t first);

// Deletes the selected watermark or slice with its row; the row at the same position is selected, or
// the previous one when the last was deleted.
void deleteSelectedLayer(CommandContext& context, LayerKind kind);

// No current layer: every paste layer deselected, the canvas idle and status part 2 empty.
void clearCurrentLayer(CommandContext& context);

// Status part 2: "%d x %d 像素".
void showLayerSize(CommandContext& context, int width, int height);

// The canvas takes the keyboard focus, as it does after every layer dialog.
void focusCanvas(CommandContext& context);

}  // namespace plazor
