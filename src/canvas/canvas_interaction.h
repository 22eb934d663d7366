// The canvas under the mouse and the keyboard, without the window: events arrive already converted
// to template pixels, change the document and the interaction state, and come back as what the
// widget must do (repaint, update the lists, capture, scroll, forward). Row selection goes through
// LayerRows at once, because the lists decide the current layer that the rest of a press works on.
// A gesture that can change the template is one undo step, from the press to the release.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "canvas/canvas_mode.h"
#include "canvas/drag_target.h"

namespace plazor {

class Document;
class EditHistory;
class LayerRows;

struct CanvasPoint {
    int x = 0, y = 0;
    bool operator==(const CanvasPoint&) const = default;
};

// One mouse event.
struct PointerInput {
    CanvasPoint at;      // template pixels, truncated
    CanvasPoint client;  // window pixels in the canvas
    CanvasPoint screen;  // screen pixels (panning)
    bool shift = false;
    bool ctrl = false;
    bool leftHeld = false;
};

// What the interaction reads from the view besides the document.
struct CanvasView {
    double zoom = 1.0;
    LayerSwitches switches;
};

enum class CanvasKey { Space, Left, Up, Right, Down, Control };

struct CanvasActions {
    bool repaint = false;
    bool updateLists = false;       // the rows of the current or selected layers and the size read-out
    bool rewriteSliceRows = false;  // the slices were put in order again
    bool capture = false;
    bool releaseCapture = false;
    bool autoScroll = false;                // a drag past the window's edge scrolls the view
    CanvasPoint scrollBy;                   // panning: window pixels added to the scroll positions
    std::optional<std::string> cursorText;  // status part 1
    bool chooseWatermarkPicture = false;
};

enum class PanState { Off, Armed, Panning };

struct InteractionState {
    DragTarget target = DragTarget::None;
    PanState pan = PanState::Off;
    bool inside = false;
    // Template position of the last press or drag step; while panning, the pointer's screen position.
    CanvasPoint anchor;
    // The edges opposite the dragged ones; also the rubber band's second corner (the anchor its first).
    CanvasPoint farEdge;
    // From the pointer to the dragged edges at the press.
    CanvasPoint gripOffset;
    // The paste layer the context menu was opened on, or -1.
    int referenceLayer = -1;
    CanvasCursor hover = CanvasCursor::Arrow;
    // Ctrl held alone in multiple selection: a click takes a layer out, shown by the arrow.
    bool ctrlRemoves = false;
    CanvasPoint lastPointer;
};

enum class AlignEdge { Top, Bottom, Left, Right };

struct ContextMenuItem {
    LayerKind kind = LayerKind::None;
    int number = 0;  // 1-based
    bool checked = false;
    bool operator==(const ContextMenuItem&) const = default;
};

struct ContextMenuPlan {
    bool standard = false;  // new layers, generators, refresh
    std::vector<ContextMenuItem> layers;
    bool align = false;
    bool levelAndStyle = false;
    // A level or style is checked only when every selected paste layer has it; nothing without one.
    std::optional<unsigned> commonLevel;
    std::optional<unsigned> commonStyle;
    bool anySelected = false;
};

class CanvasInteraction {
  public:
    CanvasInteraction(Document& doc, CanvasMode& mode, CurrentLayer& current, EditHistory& history,
                      LayerRows& rows);

    void setView(const CanvasView& view) { view_ = view; }
    const InteractionState& state() const { return s_; }

    CanvasActions press(const PointerInput& p);
    CanvasActions move(const PointerInput& p);
    CanvasActions release(const PointerInput& p, bool spaceHeld);
    CanvasActions doubleClick(const PointerInput& p);
    CanvasActions leave();
    // `leftHeld`: the left button is down.
    CanvasActions keyDown(CanvasKey key, bool shift, bool ctrl, bool leftHeld);
    CanvasActions keyUp(CanvasKey key);
    // The capture or the focus was lost mid-gesture: what was done stays, as one undo step.
    CanvasActions cancel();
    // A new or opened template: no gesture, no panning, no reference layer.
    void reset();

    // The cursor for the pointer, which may be outside the canvas while it is captured.
    CanvasCursor cursor(bool pointerOverCanvas, bool ctrlHeld) const;

    // The menu for a right click at the template point; remembers the reference layer.
    ContextMenuPlan contextMenu(CanvasPoint at);
    CanvasActions align(AlignEdge edge);

  private:
    bool layerOfModeExists() const;
    bool insideAt(CanvasPoint at) const;
    CanvasPoint clamped(CanvasPoint at) const;
    void grab(CanvasPoint at);
    void selectAlone(const CurrentLayer& hit);
    void addPaste(int index);
    void enterBand(CanvasPoint at);
    // Opens the undo step of a gesture or key press, named by what it does.
    void beginStep(std::string label);
    void beginKeyStep(std::string label);
    void endStep();
    std::string grabLabel() const;

    void pressSelected(const PointerInput& p);
    void pressMultiple(const PointerInput& p);
    void pressPending(const PointerInput& p);
    void dragStep(const PointerInput& p, CanvasActions& a);
    void drawPaste(const PointerInput& p);
    void drawWatermark(const PointerInput& p);
    void resizePaste(const PointerInput& p);
    void dragBand(const PointerInput& p);
    void moveGroup(CanvasPoint step, bool reduce);
    void releaseBand();
    void refreshSlices();
    bool arrowStep(CanvasKey key, bool shift, bool ctrl);

    Document& doc_;
    CanvasMode& mode_;
    CurrentLayer& current_;
    EditHistory& history_;
    LayerRows& rows_;
    CanvasView view_;
    InteractionState s_;
    // The gesture or key press that opened an undo step, and what it did.
    bool stepOpen_ = false;
    std::string stepLabel_;
    bool keyStep_ = false;
};

}  // namespace plazor
