// The canvas's way into the three layer lists. Each call acts like a user's click on the list, so the
// list's own selection handling sets the current layer and the canvas mode, as a click on a row does.
#pragma once

#include "canvas/canvas_mode.h"

namespace plazor {

class LayerRows {
  public:
    virtual ~LayerRows() = default;
    virtual void clear(LayerKind kind) = 0;
    // Adds the row to the list's selection.
    virtual void select(LayerKind kind, int row) = 0;
    virtual void deselect(LayerKind kind, int row) = 0;
    // Scrolls the list to the row.
    virtual void reveal(LayerKind kind, int row) = 0;
};

}  // namespace plazor
