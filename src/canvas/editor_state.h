// The editor's state beside the template: which layer is being edited, the canvas mode, the zoom and
// the depth counters that keep handlers from running twice. The commands change it; the canvas draws
// from it and hears about changes through its signals.
#pragma once

#include <QObject>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "canvas/canvas_mode.h"
#include "template/edit_history.h"

namespace plazor {

class EditorState : public QObject {
    Q_OBJECT

  public:
    CurrentLayer current;
    CanvasMode mode = CanvasMode::Idle;
    double zoom = 1.0;
    // The canvas's scroll positions in window pixels; new watermarks are placed at the visible top-left.
    int scrollX = 0;
    int scrollY = 0;

    // Raised while a template is loaded or reset: the background refresh waits until it is back at 0.
    int loadingDepth = 0;
    // Raised while the program writes the background size edits: their change notices are ignored.
    int programmaticEditDepth = 0;
    // Set while paste layers are deleted: the list's selection notices are ignored.
    bool deleting = false;
    // The list that most recently gained a selection (the paste, watermark or slice list).
    int lastSelectedList = 0;

    // The source list: the source folder as last scanned in the current load mode, which the canvas
    // previews in the paste layers.
    std::vector<std::string> sources;

    // The custom background colour (red in the low byte) and its text: "#ffffff", "none" or "#rrggbb".
    std::uint32_t chosenColour = 0xFFFFFF;
    std::string colourText = "#ffffff";

    // Undo and redo of the template's content; cleared when a template is opened or created.
    EditHistory history;

    void clearCurrent() {
        current = {};
        mode = CanvasMode::Idle;
    }

    bool loading() const { return loadingDepth > 0; }

  signals:
    // The canvas repaints itself.
    void repaintRequested();
    // The canvas scrolls so that the layer is visible.
    void scrollIntoViewRequested(plazor::LayerKind kind, int index);
    // A template was created or opened: the view scrolls back to its top-left and no gesture goes on.
    void viewResetRequested();
    // The background size or the zoom changed: the canvas resizes, keeping its scroll positions.
    void canvasResizeRequested();
    // Source pictures were reloaded or dropped: cached previews of the paste layers are stale.
    void previewsInvalidated(int fromIndex);
    // The custom display-style window for a paste layer: shown (index >= 0) or hidden (-1).
    void customStyleWindowRequested(int pasteIndex);
    // A layer's look changed (a paste layer's level or style, a watermark's picture): the canvas drops
    // what it cached for it.
    void layerAppearanceChanged(plazor::LayerKind kind, int index);
};

// Raises a depth counter for the lifetime of the guard.
class DepthGuard {
  public:
    explicit DepthGuard(int& depth) : depth_(depth) { ++depth_; }
    ~DepthGuard() { --depth_; }
    DepthGuard(const DepthGuard&) = delete;
    DepthGuard& operator=(const DepthGuard&) = delete;

  private:
    int& depth_;
};

}  // namespace plazor
