#include "canvas/drag_target.h"

#include "template/document.h"

namespace plazor {
namespace {

bool between(int low, int value, int high) {
    return low <= value && value <= high;
}

bool insideClosed(int x, int y, int width, int height, int px, int py) {
    return between(x, px, x + width) && between(y, py, y + height);
}

template <class Layers>
const auto* layerAt(const Layers& layers, int index) {
    return index >= 0 && static_cast<std::size_t>(index) < layers.size()
               ? &layers[static_cast<std::size_t>(index)]
               : nullptr;
}

}  // namespace

CanvasCursor cursorOf(DragTarget target) {
    switch (target) {
        case DragTarget::MovePaste:
        case DragTarget::MoveWatermark:
        case DragTarget::MoveSlice:
        case DragTarget::MoveGroup:
            return CanvasCursor::Move;
        case DragTarget::TopLeft:
        case DragTarget::BottomRight:
            return CanvasCursor::ResizeNwSe;
        case DragTarget::BottomLeft:
        case DragTarget::TopRight:
            return CanvasCursor::ResizeNeSw;
        case DragTarget::Left:
        case DragTarget::Right:
            return CanvasCursor::ResizeWestEast;
        case DragTarget::Top:
        case DragTarget::Bottom:
            return CanvasCursor::ResizeNorthSouth;
        case DragTarget::None:
            break;
    }
    return CanvasCursor::Arrow;
}

bool isMoveTarget(DragTarget target) {
    return cursorOf(target) == CanvasCursor::Move;
}

bool dragsLeftEdge(DragTarget t) {
    return t == DragTarget::TopLeft || t == DragTarget::Left || t == DragTarget::BottomLeft;
}
bool dragsRightEdge(DragTarget t) {
    return t == DragTarget::TopRight || t == DragTarget::Right || t == DragTarget::BottomRight;
}
bool dragsTopEdge(DragTarget t) {
    return t == DragTarget::TopLeft || t == DragTarget::Top || t == DragTarget::TopRight;
}
bool dragsBottomEdge(DragTarget t) {
    return t == DragTarget::BottomLeft || t == DragTarget::Bottom || t == DragTarget::BottomRight;
}
bool isCorner(DragTarget t) {
    return t == DragTarget::TopLeft || t == DragTarget::TopRight || t == DragTarget::BottomLeft ||
           t == DragTarget::BottomRight;
}

int gripTolerance(double zoom) {
    return static_cast<int>(24 / zoom);
}

bool sliceHit(int sliceY, int py) {
    return between(sliceY - 2, py, sliceY + 5);
}

bool rectangleHit(int x, int y, int width, int height, int px, int py) {
    return between(x, px, x + width) && y < py && py <= y + height;
}

CurrentLayer hitTest(const Document& doc, const LayerSwitches& switches, int px, int py) {
    if (switches.slicesOn) {
        for (int i = static_cast<int>(doc.slices.size()) - 1; i >= 0; --i) {
            // A slice or watermark still waiting for its position is not on the canvas to be hit.
            const int y = doc.slices[static_cast<std::size_t>(i)].y;
            if (y != -1 && sliceHit(y, py)) return {LayerKind::Slice, i};
        }
    }
    if (switches.watermarksOn) {
        for (int i = static_cast<int>(doc.watermarks.size()) - 1; i >= 0; --i) {
            const WatermarkLayer& w = doc.watermarks[static_cast<std::size_t>(i)];
            if (w.x != -1 && rectangleHit(w.x, w.y, w.width, w.height, px, py))
                return {LayerKind::Watermark, i};
        }
    }
    for (int i = static_cast<int>(doc.pasteLayers.size()) - 1; i >= 0; --i) {
        const PasteLayer& p = doc.pasteLayers[static_cast<std::size_t>(i)];
        if (rectangleHit(p.x, p.y, p.width, p.height, px, py)) return {LayerKind::Paste, i};
    }
    return {};
}

DragTarget pasteDragTarget(const PasteLayer& layer, int e, int px, int py) {
    const int x = layer.x, y = layer.y, w = layer.width, h = layer.height;
    const int m = y + h / 2 - e / 2;
    const int c = x + w / 2 - e / 2;
    const bool leftColumn = between(x - e, px, x);
    const bool rightColumn = between(x + w, px, x + w + e);
    const bool centreColumn = between(c, px, c + e);
    const bool topRow = between(y - e, py, y);
    const bool middleRow = between(m, py, m + e);
    const bool bottomRow = between(y + h, py, y + h + e);
    if (leftColumn && topRow) return DragTarget::TopLeft;
    if (leftColumn && middleRow) return DragTarget::Left;
    if (leftColumn && bottomRow) return DragTarget::BottomLeft;
    if (centreColumn && topRow) return DragTarget::Top;
    if (centreColumn && bottomRow) return DragTarget::Bottom;
    if (rightColumn && topRow) return DragTarget::TopRight;
    if (rightColumn && middleRow) return DragTarget::Right;
    if (rightColumn && bottomRow) return DragTarget::BottomRight;
    if (insideClosed(x, y, w, h, px, py)) return DragTarget::MovePaste;
    return DragTarget::None;
}

DragTarget dragTarget(const Document& doc, const LayerSwitches& switches, CanvasMode mode,
                      const CurrentLayer& current, double zoom, int px, int py) {
    if (mode == CanvasMode::MultipleSelection) {
        for (const PasteLayer& p : doc.pasteLayers) {
            if (p.selected && insideClosed(p.x, p.y, p.width, p.height, px, py)) return DragTarget::MoveGroup;
        }
        return DragTarget::None;
    }
    switch (current.kind) {
        case LayerKind::Paste:
            if (const PasteLayer* p = layerAt(doc.pasteLayers, current.index); p && p->isPlaced())
                return pasteDragTarget(*p, gripTolerance(zoom), px, py);
            break;
        case LayerKind::Watermark:
            if (const WatermarkLayer* w = layerAt(doc.watermarks, current.index);
                w && switches.watermarksOn && insideClosed(w->x, w->y, w->width, w->height, px, py))
                return DragTarget::MoveWatermark;
            break;
        case LayerKind::Slice:
            if (const Slice* s = layerAt(doc.slices, current.index); s && switches.slicesOn &&
                                                                     between(s->y - 2, py, s->y + 3) &&
                                                                     between(0, px, doc.background.width))
                return DragTarget::MoveSlice;
            break;
        case LayerKind::None:
            break;
    }
    return DragTarget::None;
}

}  // namespace plazor
