#include "canvas/canvas_interaction.h"

#include <algorithm>
#include <cstdlib>

#include "canvas/layer_rows.h"
#include "template/document.h"
#include "template/edit_history.h"

namespace plazor {
namespace {

// `value` within low..high; `low` wins when the range is empty (a layer larger than the background).
int limit(int value, int low, int high) {
    return std::max(low, std::min(value, high));
}

bool isDrawing(CanvasMode mode) {
    return mode == CanvasMode::PasteDrawing || mode == CanvasMode::WatermarkDrawing ||
           mode == CanvasMode::SliceDrawing;
}

bool isSelected(CanvasMode mode) {
    return mode == CanvasMode::PasteSelected || mode == CanvasMode::WatermarkSelected ||
           mode == CanvasMode::SliceSelected;
}

std::string numbered(const char* name, int index) {
    return name + std::string("#") + std::to_string(index + 1);
}

CanvasPoint stepOf(CanvasKey key) {
    switch (key) {
        case CanvasKey::Left:
            return {-1, 0};
        case CanvasKey::Up:
            return {0, -1};
        case CanvasKey::Right:
            return {1, 0};
        case CanvasKey::Down:
            return {0, 1};
        case CanvasKey::Space:
        case CanvasKey::Control:
            break;
    }
    return {};
}

// Turns a rectangle drawn from its start in any direction into one with a positive size.
void normalise(int& x, int& y, int& width, int& height) {
    if (width < 0) {
        x += width;
        width = -width;
    }
    if (height < 0) {
        y += height;
        height = -height;
    }
}

}  // namespace

CanvasInteraction::CanvasInteraction(Document& doc, CanvasMode& mode, CurrentLayer& current,
                                     EditHistory& history, LayerRows& rows)
    : doc_(doc), mode_(mode), current_(current), history_(history), rows_(rows) {}

bool CanvasInteraction::insideAt(CanvasPoint at) const {
    const int w = doc_.background.width, h = doc_.background.height;
    if (at.x < 0 || at.x > w) return false;
    if (current_.kind == LayerKind::Slice) return at.y >= 1 && at.y < h;
    return at.y >= 0 && at.y <= h;
}

// The modes of one layer need that layer; a mode left behind by a change of the lists does nothing.
bool CanvasInteraction::layerOfModeExists() const {
    LayerKind kind = LayerKind::None;
    std::size_t count = 0;
    switch (mode_) {
        case CanvasMode::PastePending:
        case CanvasMode::PasteDrawing:
        case CanvasMode::PasteSelected:
            kind = LayerKind::Paste;
            count = doc_.pasteLayers.size();
            break;
        case CanvasMode::WatermarkPending:
        case CanvasMode::WatermarkDrawing:
        case CanvasMode::WatermarkSelected:
            kind = LayerKind::Watermark;
            count = doc_.watermarks.size();
            break;
        case CanvasMode::SlicePending:
        case CanvasMode::SliceDrawing:
        case CanvasMode::SliceSelected:
            kind = LayerKind::Slice;
            count = doc_.slices.size();
            break;
        default:
            return true;
    }
    return current_.is(kind) && static_cast<std::size_t>(current_.index) < count;
}

CanvasPoint CanvasInteraction::clamped(CanvasPoint at) const {
    return {limit(at.x, 0, doc_.background.width), limit(at.y, 0, doc_.background.height)};
}

std::string CanvasInteraction::grabLabel() const {
    switch (s_.target) {
        case DragTarget::MovePaste:
            return numbered("移动贴图层", current_.index);
        case DragTarget::MoveWatermark:
            return numbered("移动水印层", current_.index);
        case DragTarget::MoveSlice:
            return numbered("移动横切片", current_.index);
        case DragTarget::MoveGroup:
            return "移动多个贴图层";
        case DragTarget::None:
            return {};
        default:
            return numbered("调整贴图层", current_.index) + "大小";
    }
}

void CanvasInteraction::beginStep(std::string label) {
    if (stepOpen_) return;
    history_.begin(doc_, label);
    stepOpen_ = true;
    stepLabel_ = std::move(label);
}

void CanvasInteraction::beginKeyStep(std::string label) {
    if (stepOpen_) return;
    beginStep(std::move(label));
    keyStep_ = true;
}

void CanvasInteraction::endStep() {
    if (!stepOpen_) return;
    stepOpen_ = false;
    history_.end(doc_, stepLabel_);
}

// The drag target under the point on the layer now being edited, and what a resize needs from it.
void CanvasInteraction::grab(CanvasPoint at) {
    s_.target = dragTarget(doc_, view_.switches, mode_, current_, view_.zoom, at.x, at.y);
    s_.hover = cursorOf(s_.target);
    s_.anchor = at;
    if (current_.is(LayerKind::Paste) && mode_ == CanvasMode::PasteSelected && layerOfModeExists()) {
        const PasteLayer& l = doc_.pasteLayers[static_cast<std::size_t>(current_.index)];
        // The offsets run from the pointer to the grabbed edge, so the edge stays under the pointer.
        if (dragsLeftEdge(s_.target)) s_.farEdge.x = l.x + l.width, s_.gripOffset.x = l.x - at.x;
        if (dragsRightEdge(s_.target)) s_.farEdge.x = l.x, s_.gripOffset.x = l.x + l.width - at.x;
        if (dragsTopEdge(s_.target)) s_.farEdge.y = l.y + l.height, s_.gripOffset.y = l.y - at.y;
        if (dragsBottomEdge(s_.target)) s_.farEdge.y = l.y, s_.gripOffset.y = l.y + l.height - at.y;
    }
    if (s_.target != DragTarget::None) beginStep(grabLabel());
}

void CanvasInteraction::selectAlone(const CurrentLayer& hit) {
    rows_.clear(hit.kind);
    if (hit.kind == LayerKind::Paste) doc_.setPasteLayerSelected(static_cast<std::size_t>(hit.index), true);
    rows_.select(hit.kind, hit.index);
}

void CanvasInteraction::addPaste(int index) {
    doc_.setPasteLayerSelected(static_cast<std::size_t>(index), true);
    rows_.select(LayerKind::Paste, index);
}

void CanvasInteraction::enterBand(CanvasPoint at) {
    mode_ = CanvasMode::BandPressed;
    current_ = {};
    s_.anchor = clamped(at);
    s_.farEdge = s_.anchor;
}

CanvasActions CanvasInteraction::press(const PointerInput& p) {
    CanvasActions a;
    a.capture = true;
    s_.lastPointer = p.at;
    if (s_.pan == PanState::Armed) {
        s_.pan = PanState::Panning;
        s_.anchor = p.screen;
        return a;
    }
    if (!layerOfModeExists()) return a;
    switch (mode_) {
        case CanvasMode::Idle:
            if (const CurrentLayer hit = hitTest(doc_, view_.switches, p.at.x, p.at.y);
                hit.kind != LayerKind::None) {
                selectAlone(hit);
                grab(p.at);
            } else {
                enterBand(p.at);
            }
            break;
        case CanvasMode::PastePending:
        case CanvasMode::WatermarkPending:
        case CanvasMode::SlicePending:
            pressPending(p);
            break;
        case CanvasMode::PasteSelected:
        case CanvasMode::WatermarkSelected:
        case CanvasMode::SliceSelected:
            pressSelected(p);
            break;
        case CanvasMode::MultipleSelection:
            pressMultiple(p);
            break;
        default:
            return a;
    }
    a.repaint = true;
    a.updateLists = true;
    return a;
}

void CanvasInteraction::pressPending(const PointerInput& p) {
    const auto i = static_cast<std::size_t>(current_.index);
    if (mode_ == CanvasMode::PastePending) {
        const CanvasPoint at = clamped(p.at);
        beginStep(numbered("绘制贴图层", current_.index));
        // The drawn extent starts at nothing, so a click without a drag still gives a layer.
        doc_.setPasteLayerRect(i, at.x, at.y, 0, 0);
        mode_ = CanvasMode::PasteDrawing;
        s_.anchor = at;
        return;
    }
    if (!insideAt(p.at)) return;
    if (mode_ == CanvasMode::WatermarkPending) {
        beginStep(numbered("绘制水印层", current_.index));
        doc_.setWatermarkPosition(i, p.at.x, p.at.y);
        mode_ = CanvasMode::WatermarkDrawing;
    } else {
        beginStep(numbered("绘制横切片", current_.index));
        doc_.setSliceY(i, p.at.y);
        mode_ = CanvasMode::SliceDrawing;
    }
    s_.anchor = p.at;
}

void CanvasInteraction::pressSelected(const PointerInput& p) {
    if (dragTarget(doc_, view_.switches, mode_, current_, view_.zoom, p.at.x, p.at.y) != DragTarget::None) {
        grab(p.at);
        return;
    }
    const CurrentLayer hit = hitTest(doc_, view_.switches, p.at.x, p.at.y);
    if (hit.kind == LayerKind::None) {
        rows_.clear(current_.kind);
        enterBand(p.at);
        return;
    }
    if (hit.kind == LayerKind::Paste && mode_ == CanvasMode::PasteSelected && p.ctrl) {
        addPaste(hit.index);
    } else {
        selectAlone(hit);
    }
    grab(p.at);
}

void CanvasInteraction::pressMultiple(const PointerInput& p) {
    if (dragTarget(doc_, view_.switches, mode_, current_, view_.zoom, p.at.x, p.at.y) ==
        DragTarget::MoveGroup) {
        if (!p.ctrl) {
            grab(p.at);
            return;
        }
        // Ctrl-click takes the topmost selected layer under the point out of the selection.
        for (int i = static_cast<int>(doc_.pasteLayers.size()) - 1; i >= 0; --i) {
            const PasteLayer& l = doc_.pasteLayers[static_cast<std::size_t>(i)];
            if (l.selected && l.x <= p.at.x && p.at.x <= l.x + l.width && l.y <= p.at.y &&
                p.at.y <= l.y + l.height) {
                doc_.setPasteLayerSelected(static_cast<std::size_t>(i), false);
                rows_.deselect(LayerKind::Paste, i);
                break;
            }
        }
        return;
    }
    const CurrentLayer hit = hitTest(doc_, view_.switches, p.at.x, p.at.y);
    if (hit.kind == LayerKind::None) {
        rows_.clear(LayerKind::Paste);
        enterBand(p.at);
        return;
    }
    if (hit.kind == LayerKind::Paste && p.ctrl) {
        addPaste(hit.index);
        return;
    }
    selectAlone(hit);
    grab(p.at);
}

CanvasActions CanvasInteraction::move(const PointerInput& p) {
    CanvasActions a;
    s_.lastPointer = p.at;
    s_.inside = insideAt(p.at);
    a.cursorText = s_.inside ? std::to_string(p.at.x) + ", " + std::to_string(p.at.y) : std::string();
    if (s_.pan == PanState::Panning) {
        a.scrollBy = {s_.anchor.x - p.screen.x, s_.anchor.y - p.screen.y};
        s_.anchor = p.screen;
        a.cursorText = std::string();
        return a;
    }
    const bool dragging =
        isDrawing(mode_) || mode_ == CanvasMode::BandDragging || s_.target != DragTarget::None;
    if (p.leftHeld && dragging) a.autoScroll = true;
    if (s_.pan == PanState::Armed || !layerOfModeExists()) return a;
    if (!p.leftHeld && s_.target == DragTarget::None && !isDrawing(mode_))
        s_.hover = cursorOf(dragTarget(doc_, view_.switches, mode_, current_, view_.zoom, p.at.x, p.at.y));
    dragStep(p, a);
    return a;
}

void CanvasInteraction::dragStep(const PointerInput& p, CanvasActions& a) {
    const auto i = static_cast<std::size_t>(current_.index);
    const int bw = doc_.background.width, bh = doc_.background.height;
    switch (mode_) {
        case CanvasMode::PastePending: {
            const PasteLayer& l = doc_.pasteLayers[i];
            const CanvasPoint at = s_.inside ? p.at : CanvasPoint{-1, -1};
            doc_.setPasteLayerRect(i, at.x, at.y, l.width, l.height);
            a.updateLists = true;
            return;
        }
        case CanvasMode::WatermarkPending: {
            const CanvasPoint at = s_.inside ? p.at : CanvasPoint{-1, -1};
            doc_.setWatermarkPosition(i, at.x, at.y);
            a.updateLists = true;
            return;
        }
        case CanvasMode::SlicePending:
            doc_.setSliceY(i, s_.inside ? p.at.y : -1);
            break;
        case CanvasMode::PasteDrawing:
            if (!p.leftHeld) return;
            drawPaste(p);
            break;
        case CanvasMode::WatermarkDrawing:
            if (!p.leftHeld) return;
            drawWatermark(p);
            break;
        case CanvasMode::SliceDrawing:
            if (!p.leftHeld) return;
            doc_.setSliceY(i, limit(p.at.y, 1, bh - 1));
            break;
        case CanvasMode::PasteSelected:
            if (s_.target == DragTarget::MovePaste) {
                const PasteLayer& l = doc_.pasteLayers[i];
                doc_.setPasteLayerRect(i, limit(l.x + p.at.x - s_.anchor.x, 0, bw - l.width),
                                       limit(l.y + p.at.y - s_.anchor.y, 0, bh - l.height), l.width,
                                       l.height);
                s_.anchor = p.at;
            } else if (s_.target != DragTarget::None) {
                resizePaste(p);
            } else {
                return;
            }
            break;
        case CanvasMode::WatermarkSelected: {
            if (s_.target != DragTarget::MoveWatermark) return;
            const WatermarkLayer& w = doc_.watermarks[i];
            doc_.setWatermarkPosition(i, limit(w.x + p.at.x - s_.anchor.x, 0, bw - w.width),
                                      limit(w.y + p.at.y - s_.anchor.y, 0, bh - w.height));
            s_.anchor = p.at;
            break;
        }
        case CanvasMode::SliceSelected:
            if (s_.target != DragTarget::MoveSlice) return;
            doc_.setSliceY(i, limit(doc_.slices[i].y + p.at.y - s_.anchor.y, 1, bh - 1));
            s_.anchor = p.at;
            break;
        case CanvasMode::BandPressed:
        case CanvasMode::BandDragging:
            if (!p.leftHeld) return;
            dragBand(p);
            break;
        case CanvasMode::MultipleSelection:
            if (s_.target != DragTarget::MoveGroup) return;
            moveGroup({p.at.x - s_.anchor.x, p.at.y - s_.anchor.y}, true);
            break;
        case CanvasMode::Idle:
            return;
    }
    a.updateLists = true;
    a.repaint = true;
}

void CanvasInteraction::drawPaste(const PointerInput& p) {
    const auto i = static_cast<std::size_t>(current_.index);
    const PasteLayer& l = doc_.pasteLayers[i];
    const CanvasPoint to = clamped(p.at);
    int width = to.x - l.x;
    int height = to.y - l.y;
    if (p.shift) {
        if (std::abs(width) < std::abs(height)) {
            height = height < 1 ? -std::abs(width) : std::abs(width);
        } else {
            width = width < 0 ? -std::abs(height) : std::abs(height);
        }
    }
    doc_.setPasteLayerRect(i, l.x, l.y, width, height);
}

void CanvasInteraction::drawWatermark(const PointerInput& p) {
    const auto i = static_cast<std::size_t>(current_.index);
    const WatermarkLayer& w = doc_.watermarks[i];
    const CanvasPoint to = clamped(p.at);
    doc_.setWatermarkPicture(i, w.path, to.x - w.x, to.y - w.y);
}

void CanvasInteraction::resizePaste(const PointerInput& p) {
    const auto i = static_cast<std::size_t>(current_.index);
    const PasteLayer& l = doc_.pasteLayers[i];
    const int bw = doc_.background.width, bh = doc_.background.height;
    int x = l.x, y = l.y, width = l.width, height = l.height;
    const DragTarget t = s_.target;
    if (dragsLeftEdge(t)) {
        x = limit(p.at.x + s_.gripOffset.x, 0, s_.farEdge.x - 1);
        width = s_.farEdge.x - x;
    } else if (dragsRightEdge(t)) {
        width = std::max(std::min(p.at.x + s_.gripOffset.x, bw), s_.farEdge.x + 1) - x;
    }
    if (dragsTopEdge(t)) {
        y = limit(p.at.y + s_.gripOffset.y, 0, s_.farEdge.y - 1);
        height = s_.farEdge.y - y;
    } else if (dragsBottomEdge(t)) {
        height = std::max(std::min(p.at.y + s_.gripOffset.y, bh), s_.farEdge.y + 1) - y;
    }
    if (p.shift && isCorner(t)) {
        // A square against the corner that stays put.
        const int side = std::min(width, height);
        if (dragsLeftEdge(t)) x = s_.farEdge.x - side;
        if (dragsTopEdge(t)) y = s_.farEdge.y - side;
        width = height = side;
    }
    doc_.setPasteLayerRect(i, x, y, width, height);
}

void CanvasInteraction::dragBand(const PointerInput& p) {
    mode_ = CanvasMode::BandDragging;
    s_.farEdge = clamped(p.at);
    const int left = std::min(s_.anchor.x, s_.farEdge.x), right = std::max(s_.anchor.x, s_.farEdge.x);
    const int top = std::min(s_.anchor.y, s_.farEdge.y), bottom = std::max(s_.anchor.y, s_.farEdge.y);
    int lastSelected = -1;
    bool changed = false;
    for (std::size_t i = 0; i < doc_.pasteLayers.size(); ++i) {
        const PasteLayer& l = doc_.pasteLayers[i];
        const bool meets =
            l.isPlaced() && l.x <= right && left <= l.x + l.width && l.y <= bottom && top <= l.y + l.height;
        if (meets) lastSelected = static_cast<int>(i);
        if (meets == l.selected) continue;
        changed = true;
        doc_.setPasteLayerSelected(i, meets);
        if (meets) {
            rows_.select(LayerKind::Paste, static_cast<int>(i));
        } else {
            rows_.deselect(LayerKind::Paste, static_cast<int>(i));
        }
    }
    if (changed && lastSelected >= 0) rows_.reveal(LayerKind::Paste, lastSelected);
}

// Moves every selected paste layer by `step`. Reduced, the step shrinks so that no layer leaves the
// background (and stops on an axis where one already touches the edge it moves toward); otherwise
// nothing moves if any layer would leave it.
void CanvasInteraction::moveGroup(CanvasPoint step, bool reduce) {
    const int bw = doc_.background.width, bh = doc_.background.height;
    auto fit = [reduce](int& d, int position, int extent, int room) {
        if (d < 0 && (position + d < 0)) d = reduce && position >= 1 ? -position : 0;
        if (d > 0 && (position + extent + d > room))
            d = reduce && room - position - extent >= 1 ? room - position - extent : 0;
    };
    bool blocked = false;
    for (const PasteLayer& l : doc_.pasteLayers) {
        if (!l.selected) continue;
        const CanvasPoint before = step;
        fit(step.x, l.x, l.width, bw);
        fit(step.y, l.y, l.height, bh);
        if (!reduce && !(before == step)) blocked = true;
    }
    if (blocked || (step.x == 0 && step.y == 0)) return;
    for (std::size_t i = 0; i < doc_.pasteLayers.size(); ++i) {
        const PasteLayer& l = doc_.pasteLayers[i];
        if (!l.selected) continue;
        doc_.setPasteLayerRect(i, limit(l.x + step.x, 0, bw - l.width), limit(l.y + step.y, 0, bh - l.height),
                               l.width, l.height);
    }
    s_.anchor.x += step.x;
    s_.anchor.y += step.y;
}

CanvasActions CanvasInteraction::release(const PointerInput& p, bool spaceHeld) {
    CanvasActions a;
    a.releaseCapture = true;
    s_.lastPointer = p.at;
    if (s_.pan == PanState::Panning) {
        s_.pan = spaceHeld ? PanState::Armed : PanState::Off;
        if (s_.pan == PanState::Off) s_.hover = CanvasCursor::Arrow;
        return a;
    }
    if (!layerOfModeExists()) {
        s_.target = DragTarget::None;
        endStep();
        return a;
    }
    const auto i = static_cast<std::size_t>(current_.index);
    switch (mode_) {
        case CanvasMode::PasteDrawing: {
            // The press gave the layer its corner, so it is drawn even when the drag ended a pixel
            // left of or above it (width or height -1).
            PasteLayer l = doc_.pasteLayers[i];
            if (l.x == -1) break;
            normalise(l.x, l.y, l.width, l.height);
            doc_.setPasteLayerRect(i, l.x, l.y, std::max(l.width, 1), std::max(l.height, 1));
            mode_ = CanvasMode::PasteSelected;
            break;
        }
        case CanvasMode::WatermarkDrawing: {
            WatermarkLayer w = doc_.watermarks[i];
            if (w.x == -1) break;
            normalise(w.x, w.y, w.width, w.height);
            doc_.setWatermarkPosition(i, w.x, w.y);
            doc_.setWatermarkPicture(i, w.path, w.width, w.height);
            mode_ = CanvasMode::WatermarkSelected;
            break;
        }
        case CanvasMode::SliceDrawing:
            if (doc_.slices[i].y == -1) break;
            mode_ = CanvasMode::SliceSelected;
            refreshSlices();
            a.rewriteSliceRows = true;
            break;
        case CanvasMode::SliceSelected:
            if (s_.target == DragTarget::MoveSlice) {
                refreshSlices();
                a.rewriteSliceRows = true;
            }
            break;
        case CanvasMode::BandPressed:
            mode_ = CanvasMode::Idle;
            current_ = {};
            break;
        case CanvasMode::BandDragging:
        case CanvasMode::MultipleSelection:
            releaseBand();
            s_.target = DragTarget::None;
            s_.hover =
                cursorOf(dragTarget(doc_, view_.switches, mode_, current_, view_.zoom, p.at.x, p.at.y));
            break;
        default:
            break;
    }
    s_.target = DragTarget::None;
    endStep();
    a.repaint = true;
    a.updateLists = true;
    return a;
}

void CanvasInteraction::releaseBand() {
    std::vector<int> flagged;
    for (std::size_t i = 0; i < doc_.pasteLayers.size(); ++i) {
        if (doc_.pasteLayers[i].selected) flagged.push_back(static_cast<int>(i));
    }
    if (flagged.empty()) {
        mode_ = CanvasMode::Idle;
        current_ = {};
    } else if (flagged.size() == 1) {
        mode_ = CanvasMode::PasteSelected;
        current_ = {LayerKind::Paste, flagged.front()};
    } else {
        mode_ = CanvasMode::MultipleSelection;
        current_ = {};
    }
}

// The slices in order of y again; the moved one stays current at its new row.
void CanvasInteraction::refreshSlices() {
    const auto i = static_cast<std::size_t>(current_.index);
    const int row = static_cast<int>(doc_.moveSlice(i, doc_.slices[i].y));
    rows_.clear(LayerKind::Slice);
    rows_.select(LayerKind::Slice, row);
    current_ = {LayerKind::Slice, row};
    mode_ = CanvasMode::SliceSelected;
}

CanvasActions CanvasInteraction::cancel() {
    if (keyStep_) {
        keyStep_ = false;
        endStep();
        return {};
    }
    PointerInput p;
    p.at = s_.lastPointer;
    if (s_.pan == PanState::Panning || stepOpen_ || isDrawing(mode_) || mode_ == CanvasMode::BandPressed ||
        mode_ == CanvasMode::BandDragging)
        return release(p, false);
    return {};
}

void CanvasInteraction::reset() {
    endStep();
    keyStep_ = false;
    s_ = {};
}

CanvasActions CanvasInteraction::doubleClick(const PointerInput& p) {
    CanvasActions a;
    if (mode_ != CanvasMode::WatermarkSelected || !layerOfModeExists()) return a;
    const WatermarkLayer& w = doc_.watermarks[static_cast<std::size_t>(current_.index)];
    a.chooseWatermarkPicture =
        w.x <= p.at.x && p.at.x <= w.x + w.width && w.y <= p.at.y && p.at.y <= w.y + w.height;
    return a;
}

CanvasActions CanvasInteraction::leave() {
    CanvasActions a;
    if (!layerOfModeExists()) return a;
    const auto i = static_cast<std::size_t>(current_.index);
    switch (mode_) {
        case CanvasMode::PastePending: {
            const PasteLayer& l = doc_.pasteLayers[i];
            doc_.setPasteLayerRect(i, -1, -1, l.width, l.height);
            break;
        }
        case CanvasMode::WatermarkPending:
            doc_.setWatermarkPosition(i, -1, -1);
            break;
        case CanvasMode::SlicePending:
            doc_.setSliceY(i, -1);
            break;
        default:
            return a;
    }
    a.updateLists = true;
    a.repaint = true;
    return a;
}

CanvasActions CanvasInteraction::keyDown(CanvasKey key, bool shift, bool ctrl, bool leftHeld) {
    CanvasActions a;
    if (key == CanvasKey::Space) {
        const bool gesture =
            isDrawing(mode_) || mode_ == CanvasMode::BandDragging || s_.target != DragTarget::None;
        if (!gesture && s_.pan == PanState::Off && !leftHeld) s_.pan = PanState::Armed;
        return a;
    }
    if (key == CanvasKey::Control) {
        if (mode_ == CanvasMode::MultipleSelection && s_.target != DragTarget::MoveGroup)
            s_.ctrlRemoves = true;
        return a;
    }
    if ((isSelected(mode_) && s_.target != DragTarget::None) || !layerOfModeExists()) return a;
    if (arrowStep(key, shift, ctrl)) {
        a.updateLists = true;
        a.repaint = true;
    }
    return a;
}

bool CanvasInteraction::arrowStep(CanvasKey key, bool shift, bool ctrl) {
    const CanvasPoint unit = stepOf(key);
    const int k = shift ? 5 : 1;
    const int bw = doc_.background.width, bh = doc_.background.height;
    const auto i = static_cast<std::size_t>(current_.index);
    const bool resize = ctrl && !shift;
    if (ctrl && shift) return false;
    switch (mode_) {
        case CanvasMode::PasteSelected: {
            const PasteLayer& l = doc_.pasteLayers[i];
            if (resize) {
                beginKeyStep(numbered("调整贴图层", current_.index) + "大小");
                doc_.setPasteLayerRect(i, l.x, l.y, limit(l.width + unit.x, 1, bw - l.x),
                                       limit(l.height + unit.y, 1, bh - l.y));
            } else {
                beginKeyStep(numbered("移动贴图层", current_.index));
                doc_.setPasteLayerRect(i, limit(l.x + k * unit.x, 0, bw - l.width),
                                       limit(l.y + k * unit.y, 0, bh - l.height), l.width, l.height);
            }
            return true;
        }
        case CanvasMode::WatermarkSelected: {
            if (ctrl) return false;
            const WatermarkLayer& w = doc_.watermarks[i];
            beginKeyStep(numbered("移动水印层", current_.index));
            doc_.setWatermarkPosition(i, limit(w.x + k * unit.x, 0, bw - w.width),
                                      limit(w.y + k * unit.y, 0, bh - w.height));
            return true;
        }
        case CanvasMode::SliceSelected:
            if (ctrl || unit.y == 0) return false;
            beginKeyStep(numbered("移动横切片", current_.index));
            doc_.setSliceY(i, limit(doc_.slices[i].y + k * unit.y, 1, bh - 1));
            return true;
        case CanvasMode::MultipleSelection:
            if (resize) {
                for (const PasteLayer& l : doc_.pasteLayers) {
                    if (!l.selected) continue;
                    const int w = l.width + unit.x, h = l.height + unit.y;
                    if (w < 1 || w > bw - l.x || h < 1 || h > bh - l.y) return false;
                }
                beginKeyStep("调整多个贴图层大小");
                for (std::size_t j = 0; j < doc_.pasteLayers.size(); ++j) {
                    const PasteLayer& l = doc_.pasteLayers[j];
                    if (l.selected) doc_.setPasteLayerRect(j, l.x, l.y, l.width + unit.x, l.height + unit.y);
                }
            } else {
                beginKeyStep("移动多个贴图层");
                moveGroup({k * unit.x, k * unit.y}, shift);
            }
            return true;
        default:
            return false;
    }
}

CanvasActions CanvasInteraction::keyUp(CanvasKey key) {
    CanvasActions a;
    switch (key) {
        case CanvasKey::Space:
            if (s_.pan == PanState::Armed) s_.pan = PanState::Off;
            break;
        case CanvasKey::Control:
            s_.ctrlRemoves = false;
            s_.hover = cursorOf(dragTarget(doc_, view_.switches, mode_, current_, view_.zoom,
                                           s_.lastPointer.x, s_.lastPointer.y));
            break;
        case CanvasKey::Up:
        case CanvasKey::Down:
        case CanvasKey::Left:
        case CanvasKey::Right:
            if (!keyStep_) break;
            if (mode_ == CanvasMode::SliceSelected && layerOfModeExists()) {
                refreshSlices();
                a.rewriteSliceRows = true;
                a.repaint = true;
            }
            // The press, with its repeats, is one step.
            keyStep_ = false;
            endStep();
            break;
    }
    return a;
}

CanvasCursor CanvasInteraction::cursor(bool pointerOverCanvas, bool ctrlHeld) const {
    if (s_.pan == PanState::Panning || (s_.pan == PanState::Armed && pointerOverCanvas))
        return CanvasCursor::Hand;
    switch (mode_) {
        case CanvasMode::PastePending:
        case CanvasMode::PasteDrawing:
        case CanvasMode::WatermarkDrawing:
        case CanvasMode::SliceDrawing:
            return CanvasCursor::Cross;
        case CanvasMode::WatermarkPending:
        case CanvasMode::SlicePending:
            return s_.inside ? CanvasCursor::Cross : CanvasCursor::Arrow;
        case CanvasMode::PasteSelected:
        case CanvasMode::WatermarkSelected:
        case CanvasMode::SliceSelected:
            return s_.hover;
        case CanvasMode::MultipleSelection:
            return ctrlHeld || s_.ctrlRemoves ? CanvasCursor::Arrow : s_.hover;
        default:
            return CanvasCursor::Arrow;
    }
}

ContextMenuPlan CanvasInteraction::contextMenu(CanvasPoint at) {
    ContextMenuPlan plan;
    s_.referenceLayer = -1;
    const bool inside =
        at.x >= 0 && at.x <= doc_.background.width && at.y >= 0 && at.y <= doc_.background.height;
    int pasteListed = 0;
    bool listedSelected = false;
    if (inside) {
        for (std::size_t i = 0; i < doc_.pasteLayers.size(); ++i) {
            const PasteLayer& l = doc_.pasteLayers[i];
            if (!rectangleHit(l.x, l.y, l.width, l.height, at.x, at.y)) continue;
            const int index = static_cast<int>(i);
            plan.layers.push_back(
                {LayerKind::Paste, index + 1, current_ == CurrentLayer{LayerKind::Paste, index}});
            s_.referenceLayer = index;
            ++pasteListed;
            listedSelected = listedSelected || l.selected;
        }
        if (view_.switches.watermarksOn) {
            for (std::size_t i = 0; i < doc_.watermarks.size(); ++i) {
                const WatermarkLayer& w = doc_.watermarks[i];
                const int index = static_cast<int>(i);
                if (w.x != -1 && rectangleHit(w.x, w.y, w.width, w.height, at.x, at.y))
                    plan.layers.push_back({LayerKind::Watermark, index + 1,
                                           current_ == CurrentLayer{LayerKind::Watermark, index}});
            }
        }
        if (view_.switches.slicesOn) {
            for (std::size_t i = 0; i < doc_.slices.size(); ++i) {
                const int index = static_cast<int>(i);
                if (doc_.slices[i].y != -1 && sliceHit(doc_.slices[i].y, at.y))
                    plan.layers.push_back(
                        {LayerKind::Slice, index + 1, current_ == CurrentLayer{LayerKind::Slice, index}});
            }
        }
    }
    if (plan.layers.empty()) {
        plan.standard = true;
        s_.referenceLayer = -1;
        return plan;
    }
    plan.align = mode_ == CanvasMode::MultipleSelection && listedSelected && pasteListed == 1;
    if (!plan.align) s_.referenceLayer = -1;
    plan.levelAndStyle = true;
    bool first = true;
    for (const PasteLayer& l : doc_.pasteLayers) {
        if (!l.selected) continue;
        plan.anySelected = true;
        if (first) {
            plan.commonLevel = l.level;
            plan.commonStyle = l.overflowStyle;
            first = false;
        }
        if (plan.commonLevel != l.level) plan.commonLevel.reset();
        if (plan.commonStyle != l.overflowStyle) plan.commonStyle.reset();
    }
    return plan;
}

CanvasActions CanvasInteraction::align(AlignEdge edge) {
    CanvasActions a;
    std::vector<std::size_t> flagged;
    for (std::size_t i = 0; i < doc_.pasteLayers.size(); ++i) {
        if (doc_.pasteLayers[i].selected && doc_.pasteLayers[i].isPlaced()) flagged.push_back(i);
    }
    if (flagged.empty()) return a;
    auto edgeOf = [edge](const PasteLayer& l) {
        switch (edge) {
            case AlignEdge::Top:
                return l.y;
            case AlignEdge::Bottom:
                return l.y + l.height;
            case AlignEdge::Left:
                return l.x;
            case AlignEdge::Right:
                break;
        }
        return l.x + l.width;
    };
    const bool smallest = edge == AlignEdge::Top || edge == AlignEdge::Left;
    int target = 0;
    if (s_.referenceLayer >= 0 && static_cast<std::size_t>(s_.referenceLayer) < doc_.pasteLayers.size()) {
        target = edgeOf(doc_.pasteLayers[static_cast<std::size_t>(s_.referenceLayer)]);
    } else {
        target = edgeOf(doc_.pasteLayers[flagged.front()]);
        for (std::size_t i : flagged)
            target = smallest ? std::min(target, edgeOf(doc_.pasteLayers[i]))
                              : std::max(target, edgeOf(doc_.pasteLayers[i]));
    }
    history_.begin(doc_, "对齐贴图层");
    for (std::size_t i : flagged) {
        const PasteLayer& l = doc_.pasteLayers[i];
        int x = l.x, y = l.y;
        switch (edge) {
            case AlignEdge::Top:
                y = target;
                break;
            case AlignEdge::Bottom:
                y = target - l.height;
                break;
            case AlignEdge::Left:
                x = target;
                break;
            case AlignEdge::Right:
                x = target - l.width;
                break;
        }
        doc_.setPasteLayerRect(i, x, y, l.width, l.height);
    }
    history_.end(doc_);
    a.updateLists = true;
    a.repaint = true;
    return a;
}

}  // namespace plazor
