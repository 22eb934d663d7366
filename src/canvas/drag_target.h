// What a point on the canvas finds: the layer under it (hit test) and the grip or body of the layer
// being edited (drag target), with the cursor each target shows. Plain functions of the document.
#pragma once

#include "canvas/canvas_mode.h"

namespace plazor {

class Document;
struct PasteLayer;

// The layer blocks' check boxes that decide which layers the pointer can reach.
struct LayerSwitches {
    bool watermarksOn = true;  // "水印层"
    bool slicesOn = true;      // "横切片"
};

// What a press grabbed.
enum class DragTarget : int {
    None = 0,
    MovePaste = 4,
    TopLeft = 5,
    Left = 6,
    BottomLeft = 7,
    Top = 8,
    Bottom = 9,
    TopRight = 10,
    Right = 11,
    BottomRight = 12,
    MoveWatermark = 16,
    MoveSlice = 20,
    MoveGroup = 24,
};

enum class CanvasCursor {
    Arrow,
    Move,
    ResizeNwSe,
    ResizeNeSw,
    ResizeWestEast,
    ResizeNorthSouth,
    Cross,
    Hand
};

// The four-way arrow on the move targets, the matching double arrow on a grip, else the arrow.
CanvasCursor cursorOf(DragTarget target);
bool isMoveTarget(DragTarget target);
// Grips that move the left (or top) edge, and those that move the right (or bottom) edge.
bool dragsLeftEdge(DragTarget target);
bool dragsRightEdge(DragTarget target);
bool dragsTopEdge(DragTarget target);
bool dragsBottomEdge(DragTarget target);
bool isCorner(DragTarget target);

// Grip tolerance in template pixels: 24 window pixels at the zoom, truncated.
int gripTolerance(double zoom);

// A slice is hit a little above and below its line.
bool sliceHit(int sliceY, int py);
// The rectangle of a paste or watermark layer, without its top row.
bool rectangleHit(int x, int y, int width, int height, int px, int py);

// The layer under the point: slices (when shown), then watermarks (when shown), then paste layers,
// each list from its last layer to its first, so the layer drawn last is found first.
CurrentLayer hitTest(const Document& doc, const LayerSwitches& switches, int px, int py);

// The grip or body of a paste layer under the point; grips lie outside the rectangle, next to its
// corners and side midpoints, `tolerance` wide.
DragTarget pasteDragTarget(const PasteLayer& layer, int tolerance, int px, int py);

// The drag target on the layer being edited (`current`), or on the selected paste layers in multiple
// selection.
DragTarget dragTarget(const Document& doc, const LayerSwitches& switches, CanvasMode mode,
                      const CurrentLayer& current, double zoom, int px, int py);

}  // namespace plazor
