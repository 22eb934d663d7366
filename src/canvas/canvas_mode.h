// The canvas's modes and the layer being edited: shared by the editor state, the commands and the
// canvas's interaction logic, none of which needs Qt for them.
#pragma once

namespace plazor {

// The canvas's interaction state.
enum class CanvasMode : int {
    Idle = 0,
    PastePending = 1,
    PasteDrawing = 2,
    PasteSelected = 3,
    WatermarkPending = 13,
    WatermarkDrawing = 14,
    WatermarkSelected = 15,
    SlicePending = 17,
    SliceDrawing = 18,
    SliceSelected = 19,
    BandPressed = 21,
    BandDragging = 22,
    MultipleSelection = 23,
};

enum class LayerKind : int { None = 0, Paste = 1, Watermark = 2, Slice = 3 };

// The layer being edited: its kind and its 0-based position in its list.
struct CurrentLayer {
    LayerKind kind = LayerKind::None;
    int index = -1;

    bool is(LayerKind k) const { return kind == k && index >= 0; }
    bool operator==(const CurrentLayer&) const = default;
};

}  // namespace plazor
