// The canvas under the mouse and the keys, driven with template-pixel events. The lists are a small
// reference of the layer lists' own rule (one paste row: that layer is current; several: multiple
// selection; none: idle; a watermark or slice row: that layer, the other lists cleared), so the modes
// come out as they do in the editor.
#include <gtest/gtest.h>

#include <set>

#include "canvas/canvas_interaction.h"
#include "canvas/layer_rows.h"
#include "canvas/wheel_notches.h"
#include "template/document.h"
#include "template/edit_history.h"

namespace plazor {
namespace {

class ReferenceLists : public LayerRows {
  public:
    ReferenceLists(Document& doc, CanvasMode& mode, CurrentLayer& current)
        : doc_(doc), mode_(mode), current_(current) {}

    void clear(LayerKind kind) override {
        rows(kind).clear();
        notice(kind);
    }
    void select(LayerKind kind, int row) override {
        rows(kind).insert(row);
        notice(kind);
    }
    void deselect(LayerKind kind, int row) override {
        rows(kind).erase(row);
        notice(kind);
    }
    void reveal(LayerKind, int row) override { shown = row; }

    std::set<int>& rows(LayerKind kind) {
        return kind == LayerKind::Paste ? paste : kind == LayerKind::Watermark ? watermark : slice;
    }

    std::set<int> paste, watermark, slice;
    int shown = -1;

  private:
    void notice(LayerKind kind) {
        if (mode_ == CanvasMode::BandDragging) return;
        const std::set<int>& selected = rows(kind);
        if (selected.empty()) {
            current_ = {};
            mode_ = CanvasMode::Idle;
            doc_.deselectPasteLayers();
            return;
        }
        if (kind == LayerKind::Paste && selected.size() > 1) {
            for (std::size_t i = 0; i < doc_.pasteLayers.size(); ++i)
                doc_.pasteLayers[i].selected = selected.count(static_cast<int>(i)) > 0;
            current_ = {};
            mode_ = CanvasMode::MultipleSelection;
            return;
        }
        const int row = *selected.begin();
        for (LayerKind other : {LayerKind::Paste, LayerKind::Watermark, LayerKind::Slice})
            if (other != kind) rows(other).clear();
        doc_.deselectPasteLayers();
        bool placed = true;
        if (kind == LayerKind::Paste) {
            doc_.pasteLayers[static_cast<std::size_t>(row)].selected = true;
            placed = doc_.pasteLayers[static_cast<std::size_t>(row)].isPlaced();
            mode_ = placed ? CanvasMode::PasteSelected : CanvasMode::PastePending;
        } else if (kind == LayerKind::Watermark) {
            placed = doc_.watermarks[static_cast<std::size_t>(row)].x != -1;
            mode_ = placed ? CanvasMode::WatermarkSelected : CanvasMode::WatermarkPending;
        } else {
            placed = doc_.slices[static_cast<std::size_t>(row)].y != -1;
            mode_ = placed ? CanvasMode::SliceSelected : CanvasMode::SlicePending;
        }
        current_ = {kind, row};
    }

    Document& doc_;
    CanvasMode& mode_;
    CurrentLayer& current_;
};

struct Rect {
    int x, y, w, h;
    bool operator==(const Rect&) const = default;
};

class CanvasInteractionTest : public ::testing::Test {
  protected:
    CanvasInteractionTest() {
        doc.background.width = 400;
        doc.background.height = 300;
    }

    int paste(int x, int y, int w, int h) {
        doc.addPasteLayer(kAboveBackground, kShrinkToFit);
        const auto i = doc.pasteLayers.size() - 1;
        doc.setPasteLayerRect(i, x, y, w, h);
        return static_cast<int>(i);
    }
    Rect rect(int i) const {
        const PasteLayer& l = doc.pasteLayers[static_cast<std::size_t>(i)];
        return {l.x, l.y, l.width, l.height};
    }
    // A click on a row, and a Ctrl-click that keeps the others.
    void select(LayerKind kind, int row) {
        lists.clear(kind);
        lists.select(kind, row);
    }
    void add(LayerKind kind, int row) { lists.select(kind, row); }
    // A new layer waiting to be drawn, as the main window leaves it.
    void pendingPaste() { select(LayerKind::Paste, paste(-1, -1, -1, -1)); }

    static PointerInput at(int x, int y, bool shift = false, bool ctrl = false) {
        PointerInput p;
        p.at = {x, y};
        p.shift = shift;
        p.ctrl = ctrl;
        p.leftHeld = true;
        return p;
    }
    void drag(CanvasPoint from, CanvasPoint to, bool shift = false, bool ctrl = false) {
        canvas.press(at(from.x, from.y, shift, ctrl));
        canvas.move(at(to.x, to.y, shift, ctrl));
        canvas.release(at(to.x, to.y, shift, ctrl), false);
    }
    void key(CanvasKey k, bool shift = false, bool ctrl = false) {
        canvas.keyDown(k, shift, ctrl, false);
        canvas.keyUp(k);
    }

    Document doc;
    CanvasMode mode = CanvasMode::Idle;
    CurrentLayer current;
    EditHistory history;
    ReferenceLists lists{doc, mode, current};
    CanvasInteraction canvas{doc, mode, current, history, lists};
};

TEST_F(CanvasInteractionTest, HitTestSkipsTheTopRowAndFindsTheLayerDrawnLast) {
    paste(10, 10, 100, 100);
    const int top = paste(50, 50, 100, 100);
    EXPECT_EQ(hitTest(doc, {}, 80, 10).kind, LayerKind::None);                  // top row of the first layer
    EXPECT_EQ(hitTest(doc, {}, 30, 110), (CurrentLayer{LayerKind::Paste, 0}));  // its bottom row
    EXPECT_EQ(hitTest(doc, {}, 80, 80), (CurrentLayer{LayerKind::Paste, top}));
    doc.addWatermark("w.png", 60, 60).width = 20;
    doc.watermarks[0].height = 20;
    doc.addSlice(70);
    EXPECT_EQ(hitTest(doc, {}, 70, 72).kind, LayerKind::Slice);
    EXPECT_EQ(hitTest(doc, {true, false}, 70, 72).kind, LayerKind::Watermark);
    EXPECT_EQ(hitTest(doc, {false, false}, 70, 72), (CurrentLayer{LayerKind::Paste, top}));
}

TEST_F(CanvasInteractionTest, GripsAreTwentyFourWindowPixelsOutsideTheRectangle) {
    // x 100..400, y 100..300.
    const PasteLayer& l = doc.pasteLayers[static_cast<std::size_t>(paste(100, 100, 300, 200))];
    for (const double zoom : {8.0, 0.25}) {
        const int e = zoom == 8.0 ? 3 : 96;
        EXPECT_EQ(gripTolerance(zoom), e);
        EXPECT_EQ(pasteDragTarget(l, e, 400 + e, 300 + e), DragTarget::BottomRight);
        EXPECT_EQ(pasteDragTarget(l, e, 401 + e, 300 + e), DragTarget::None);
        EXPECT_EQ(pasteDragTarget(l, e, 100 - e, 100 - e), DragTarget::TopLeft);
        EXPECT_EQ(pasteDragTarget(l, e, 99 - e, 100), DragTarget::None);
        EXPECT_EQ(pasteDragTarget(l, e, 100 - e, 200 - e / 2 + e), DragTarget::Left);
        EXPECT_EQ(pasteDragTarget(l, e, 250 - e / 2, 100 - e), DragTarget::Top);
        EXPECT_EQ(pasteDragTarget(l, e, 250, 200), DragTarget::MovePaste);
    }
}

TEST_F(CanvasInteractionTest, DrawnLayersAreNormalisedAndAClickGivesOnePixel) {
    pendingPaste();
    drag({200, 150}, {120, 100});
    EXPECT_EQ(mode, CanvasMode::PasteSelected);
    EXPECT_EQ(rect(0), (Rect{120, 100, 80, 50}));

    pendingPaste();
    canvas.press(at(30, 40));
    canvas.release(at(30, 40), false);
    EXPECT_EQ(rect(1), (Rect{30, 40, 1, 1}));

    // Dragged beyond the background, a new layer ends at its edge.
    pendingPaste();
    drag({-20, 290}, {500, 999});
    EXPECT_EQ(rect(2), (Rect{0, 290, 400, 10}));
}

TEST_F(CanvasInteractionTest, ShiftKeepsANewLayerAndACornerResizeSquare) {
    pendingPaste();
    drag({100, 100}, {40, 190}, true);  // 60 left, 90 down: the smaller side wins
    EXPECT_EQ(rect(0), (Rect{40, 100, 60, 60}));

    // The top-left grip, with the bottom-right corner fixed at (100, 160).
    drag({38, 98}, {0, 140}, true);
    EXPECT_EQ(rect(0), (Rect{82, 142, 18, 18}));
    EXPECT_EQ(history.undoLabel(), "调整贴图层#1大小");
}

TEST_F(CanvasInteractionTest, AGrabbedEdgeStaysUnderThePointer) {
    const int i = paste(100, 100, 60, 40);
    select(LayerKind::Paste, i);
    // 5 pixels right of the right edge, at zoom 1 (grips 24 wide).
    drag({165, 115}, {195, 118});
    EXPECT_EQ(rect(i), (Rect{100, 100, 90, 40}));
    // Pulled past the far edge, the left edge stops one pixel short of it.
    drag({98, 115}, {350, 115});
    EXPECT_EQ(rect(i), (Rect{189, 100, 1, 40}));
}

TEST_F(CanvasInteractionTest, AGroupStopsWhenItsRightmostMemberTouchesTheEdge) {
    const int a = paste(10, 10, 50, 50);
    const int b = paste(300, 100, 60, 50);
    select(LayerKind::Paste, a);
    add(LayerKind::Paste, b);
    ASSERT_EQ(mode, CanvasMode::MultipleSelection);
    canvas.press(at(30, 30));
    for (int x = 40; x <= 200; x += 30)
        canvas.move(at(x, 30));
    canvas.release(at(200, 30), false);
    EXPECT_EQ(rect(b), (Rect{340, 100, 60, 50}));
    EXPECT_EQ(rect(a), (Rect{50, 10, 50, 50}));  // the same 40 pixels
    ASSERT_TRUE(history.undo(doc));              // the whole drag was one step
    EXPECT_EQ(rect(a), (Rect{10, 10, 50, 50}));
    EXPECT_EQ(rect(b), (Rect{300, 100, 60, 50}));
}

TEST_F(CanvasInteractionTest, ArrowKeysMoveResizeAndStayOnTheBackground) {
    const int i = paste(397, 10, 2, 50);
    select(LayerKind::Paste, i);
    key(CanvasKey::Right, true);
    EXPECT_EQ(rect(i).x, 398);  // 5 asked, 1 left
    key(CanvasKey::Left, true);
    EXPECT_EQ(rect(i).x, 393);
    for (int n = 0; n < 6; ++n)
        key(CanvasKey::Right, false, true);
    EXPECT_EQ(rect(i).w, 7);           // limited to the room right of x
    key(CanvasKey::Down, true, true);  // Ctrl with Shift does nothing
    EXPECT_EQ(rect(i), (Rect{393, 10, 7, 50}));
    EXPECT_EQ(history.undoLabel(), "调整贴图层#1大小");
    ASSERT_TRUE(history.undo(doc));
    EXPECT_EQ(rect(i).w, 6);  // each press is its own step
}

TEST_F(CanvasInteractionTest, ASliceNeverReachesZeroOrTheBackgroundHeight) {
    doc.addSlice(-1);
    select(LayerKind::Slice, 0);
    ASSERT_EQ(mode, CanvasMode::SlicePending);
    canvas.press(at(10, 0));  // y 0 is outside for a slice
    EXPECT_EQ(mode, CanvasMode::SlicePending);
    drag({10, 5}, {10, -50});
    EXPECT_EQ(mode, CanvasMode::SliceSelected);
    EXPECT_EQ(doc.slices[0].y, 1);
    drag({10, 1}, {10, 900});
    EXPECT_EQ(doc.slices[0].y, 299);
    for (int n = 0; n < 3; ++n)
        key(CanvasKey::Down, true);
    EXPECT_EQ(doc.slices[0].y, 299);
}

TEST_F(CanvasInteractionTest, SlicesAreSortedAfterADragAndTheMovedOneStaysCurrent) {
    doc.addSlice(50);
    doc.addSlice(100);
    select(LayerKind::Slice, 0);
    drag({10, 50}, {10, 150});
    EXPECT_EQ(doc.slices[0].y, 100);
    EXPECT_EQ(doc.slices[1].y, 150);
    EXPECT_EQ(current, (CurrentLayer{LayerKind::Slice, 1}));
    EXPECT_EQ(lists.slice, std::set<int>{1});
}

TEST_F(CanvasInteractionTest, PressAndReleaseInEveryMode) {
    const int a = paste(10, 10, 50, 50);
    const int b = paste(100, 10, 50, 50);
    doc.addWatermark("w.png", 200, 200);
    doc.watermarks[0].width = doc.watermarks[0].height = 30;
    doc.addSlice(150);

    auto pressRelease = [&](CanvasPoint p, bool ctrl, CanvasMode afterPress, CanvasMode afterRelease) {
        canvas.press(at(p.x, p.y, false, ctrl));
        EXPECT_EQ(mode, afterPress) << p.x << "," << p.y;
        canvas.release(at(p.x, p.y, false, ctrl), false);
        EXPECT_EQ(mode, afterRelease) << p.x << "," << p.y;
    };
    pressRelease({30, 30}, false, CanvasMode::PasteSelected, CanvasMode::PasteSelected);  // idle, hit
    EXPECT_EQ(lists.paste, std::set<int>{a});
    pressRelease({300, 100}, false, CanvasMode::BandPressed, CanvasMode::Idle);  // selected, miss
    EXPECT_TRUE(lists.paste.empty());
    pressRelease({300, 100}, false, CanvasMode::BandPressed, CanvasMode::Idle);  // idle, miss
    pressRelease({210, 210}, false, CanvasMode::WatermarkSelected, CanvasMode::WatermarkSelected);
    pressRelease({10, 152}, false, CanvasMode::SliceSelected, CanvasMode::SliceSelected);  // from watermark
    pressRelease({120, 30}, false, CanvasMode::PasteSelected, CanvasMode::PasteSelected);  // from slice
    pressRelease({30, 30}, true, CanvasMode::MultipleSelection, CanvasMode::MultipleSelection);
    pressRelease({130, 30}, true, CanvasMode::PasteSelected,
                 CanvasMode::PasteSelected);  // Ctrl-click takes b out
    EXPECT_EQ(current, (CurrentLayer{LayerKind::Paste, a}));
    pressRelease({120, 30}, true, CanvasMode::MultipleSelection, CanvasMode::MultipleSelection);
    pressRelease({210, 210}, false, CanvasMode::WatermarkSelected, CanvasMode::WatermarkSelected);
    select(LayerKind::Paste, a);
    add(LayerKind::Paste, b);
    pressRelease({300, 100}, false, CanvasMode::BandPressed, CanvasMode::Idle);  // multiple, miss
    EXPECT_FALSE(doc.pasteLayers[0].selected || doc.pasteLayers[1].selected);

    doc.watermarks[0].x = -1;
    select(LayerKind::Watermark, 0);
    pressRelease({500, 10}, false, CanvasMode::WatermarkPending, CanvasMode::WatermarkPending);  // outside
    pressRelease({5, 250}, false, CanvasMode::WatermarkDrawing, CanvasMode::WatermarkSelected);
    EXPECT_EQ(doc.watermarks[0].x, 5);
}

TEST_F(CanvasInteractionTest, TheBandSelectsEveryLayerItMeets) {
    paste(10, 10, 50, 50);
    paste(100, 10, 50, 50);
    paste(10, 200, 50, 50);
    canvas.press(at(200, 100));
    canvas.move(at(55, 55));
    EXPECT_EQ(mode, CanvasMode::BandDragging);
    EXPECT_EQ(lists.paste, (std::set<int>{0, 1}));
    EXPECT_EQ(lists.shown, 1);
    EXPECT_EQ(canvas.state().anchor, (CanvasPoint{200, 100}));
    EXPECT_EQ(canvas.state().farEdge, (CanvasPoint{55, 55}));
    canvas.move(at(140, 55));  // shrinking the band lets the first go
    EXPECT_EQ(lists.paste, std::set<int>{1});
    canvas.release(at(140, 55), false);
    EXPECT_EQ(mode, CanvasMode::PasteSelected);
    EXPECT_EQ(current, (CurrentLayer{LayerKind::Paste, 1}));
    EXPECT_FALSE(history.canUndo());  // selecting is not an edit
}

TEST_F(CanvasInteractionTest, APendingLayerHidesWhenThePointerLeavesAndFollowsItBack) {
    pendingPaste();
    canvas.move(at(40, 50));
    EXPECT_EQ(rect(0), (Rect{40, 50, -1, -1}));
    canvas.leave();
    EXPECT_EQ(rect(0), (Rect{-1, -1, -1, -1}));
    canvas.move(at(60, 70));
    EXPECT_EQ(rect(0), (Rect{60, 70, -1, -1}));
    EXPECT_EQ(mode, CanvasMode::PastePending);
}

TEST_F(CanvasInteractionTest, AlignmentFollowsTheReferenceLayerOrTheOutermostEdge) {
    paste(10, 40, 50, 50);
    paste(100, 20, 50, 70);
    paste(200, 60, 50, 10);
    select(LayerKind::Paste, 0);
    add(LayerKind::Paste, 1);
    add(LayerKind::Paste, 2);
    canvas.align(AlignEdge::Bottom);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(rect(i).y + rect(i).h, 90);

    const ContextMenuPlan plan = canvas.contextMenu({210, 85});
    EXPECT_TRUE(plan.align);
    EXPECT_EQ(plan.layers, (std::vector<ContextMenuItem>{{LayerKind::Paste, 3, false}}));
    EXPECT_TRUE(plan.commonLevel.has_value());
    canvas.align(AlignEdge::Top);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(rect(i).y, 80);
    EXPECT_EQ(history.undoLabel(), "对齐贴图层");

    EXPECT_TRUE(canvas.contextMenu({390, 290}).standard);
}

TEST_F(CanvasInteractionTest, SpacePansByThePointersMovementReversed) {
    canvas.keyDown(CanvasKey::Space, false, false, false);
    EXPECT_EQ(canvas.cursor(true, false), CanvasCursor::Hand);
    PointerInput p = at(10, 10);
    p.screen = {500, 500};
    canvas.press(p);
    p.screen = {520, 490};
    const CanvasActions a = canvas.move(p);
    EXPECT_EQ(a.scrollBy, (CanvasPoint{-20, 10}));
    EXPECT_EQ(a.cursorText, std::string());
    canvas.release(p, true);
    EXPECT_EQ(canvas.state().pan, PanState::Armed);
    canvas.keyUp(CanvasKey::Space);
    EXPECT_EQ(canvas.state().pan, PanState::Off);
    EXPECT_EQ(mode, CanvasMode::Idle);
}

TEST_F(CanvasInteractionTest, ALostGestureStaysAsOneStepAndADoubleClickAsksForAWatermarkPicture) {
    const int i = paste(10, 10, 50, 50);
    select(LayerKind::Paste, i);
    canvas.press(at(30, 30));
    canvas.move(at(60, 40));
    canvas.cancel();
    EXPECT_EQ(rect(i), (Rect{40, 20, 50, 50}));
    EXPECT_EQ(canvas.state().target, DragTarget::None);
    ASSERT_TRUE(history.undo(doc));
    EXPECT_EQ(rect(i), (Rect{10, 10, 50, 50}));

    doc.addWatermark("w.png", 200, 200);
    doc.watermarks[0].width = doc.watermarks[0].height = 30;
    EXPECT_FALSE(canvas.doubleClick(at(210, 210)).chooseWatermarkPicture);  // not selected yet
    select(LayerKind::Watermark, 0);
    EXPECT_TRUE(canvas.doubleClick(at(230, 230)).chooseWatermarkPicture);
    EXPECT_FALSE(canvas.doubleClick(at(231, 230)).chooseWatermarkPicture);
}

TEST_F(CanvasInteractionTest, AModeWhoseLayerIsGoneChangesNothing) {
    paste(10, 10, 50, 50);
    for (const CanvasMode stale :
         {CanvasMode::PasteSelected, CanvasMode::WatermarkDrawing, CanvasMode::SlicePending}) {
        mode = stale;
        current = {LayerKind::Paste, 3};
        drag({30, 30}, {80, 80});
        key(CanvasKey::Up);
        canvas.leave();
        EXPECT_EQ(rect(0), (Rect{10, 10, 50, 50}));
        EXPECT_FALSE(history.canUndo());
    }
}

TEST(WheelNotchesTest, PartsOfANotchAddUpAndEachNotchIsOneStep) {
    WheelNotches wheel;
    EXPECT_EQ(wheel.add(40), 0);
    EXPECT_EQ(wheel.add(40), 0);
    EXPECT_EQ(wheel.add(40), 1);
    EXPECT_EQ(wheel.add(-60), 0);
    EXPECT_EQ(wheel.add(-200), -2);  // 260 back in all
    EXPECT_EQ(wheel.add(240), 2);
    EXPECT_EQ(zoomStepAfter(9, 2, 11), 10);
    EXPECT_EQ(zoomStepAfter(0, -1, 11), 0);
}

}  // namespace
}  // namespace plazor
