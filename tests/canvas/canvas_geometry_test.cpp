// The canvas geometry: scroll ranges, the template <-> window mapping, layer rectangles, outlines,
// handles, checker tiles and scrolling a layer into view.
#include <gtest/gtest.h>

#include "canvas/canvas_geometry.h"

namespace plazor {
namespace {

TEST(ScrollRangeTest, BarHiddenWhileTheBackgroundFitsInsideTheMargins) {
    EXPECT_FALSE(scrollRange(664, 600, 1.0).visible);  // exactly client - 64
    const ScrollRange one = scrollRange(663, 600, 1.0);
    ASSERT_TRUE(one.visible);
    EXPECT_EQ(one.page, 663);
    EXPECT_EQ(one.maximum, 665);  // 600 + 1 + 64
    EXPECT_EQ(one.maxPosition(), 3);
    EXPECT_EQ(scrollRange(400, 1000, 1.0).maxPosition(), 1065 - 400 + 1);
}

TEST(ScrollRangeTest, ZoomScalesTheBackgroundExtent) {
    EXPECT_FALSE(scrollRange(400, 1000, 0.25).visible);
    const ScrollRange doubled = scrollRange(400, 200, 2.0);
    ASSERT_TRUE(doubled.visible);
    EXPECT_EQ(doubled.maximum, 465);
    EXPECT_EQ(scrollRange(300, 333, 0.75).maximum, 314);  // trunc(249.75 + 65)
}

TEST(MapAxisTest, FittingBackgroundIsCentredAndIgnoresTheScrollPosition) {
    EXPECT_EQ(mapAxis(401, 100, 1.0, 50).origin, 150);
    EXPECT_EQ(mapAxis(401, 100, 1.0, 50).end, 250);
    EXPECT_EQ(mapAxis(400, 100, 2.0, 0).origin, 100);
    EXPECT_EQ(mapAxis(400, 100, 2.0, 0).end, 300);
}

TEST(MapAxisTest, ScrolledBackgroundStartsAtTheMarginLessTheScrollPosition) {
    const AxisMapping m = mapAxis(400, 1000, 1.0, 100);
    EXPECT_EQ(m.origin, kCanvasMargin - 100);
    EXPECT_EQ(m.end, 1000 - 68);
}

TEST(ViewMappingTest, PointsMapBothWaysAndTruncateTowardZero) {
    const ViewMapping m = makeMapping(400, 300, 100, 80, 2.0, 0, 0);  // origin 100, 70
    EXPECT_EQ(m.toWindow(10, 5), (WindowPoint{120, 80}));
    EXPECT_EQ(m.toTemplate(121, 81), (WindowPoint{10, 5}));
    // Just left of and above the origin still maps to template 0.
    EXPECT_EQ(m.toTemplate(99, 69), (WindowPoint{0, 0}));
    EXPECT_EQ(m.toTemplate(97, 67), (WindowPoint{-1, -1}));
}

TEST(ViewMappingTest, LayerRectanglesFollowTheSignOfTheirExtent) {
    const ViewMapping m = makeMapping(400, 300, 100, 80, 2.0, 0, 0);
    EXPECT_EQ(m.layerRect(10, 5, 20, 10), (WindowRect{120, 80, 160, 100}));
    // Dragged leftwards and upwards: the left edge is at x + width.
    EXPECT_EQ(m.layerRect(30, 15, -20, -10), (WindowRect{120, 80, 160, 100}));
}

TEST(ViewMappingTest, TinyLayerAtQuarterZoomStillHasAnOutlineAroundIt) {
    const ViewMapping m = makeMapping(400, 300, 100, 80, 0.25, 0, 0);
    const WindowRect r = m.layerRect(4, 4, 3, 3);
    EXPECT_EQ(r.width(), 0);
    const WindowRect o = outlineRect(r);
    EXPECT_EQ(o.left, r.left - 1);
    EXPECT_EQ(o.right, r.right + 1);
    EXPECT_EQ(o.width(), 2);
}

TEST(HandleRectsTest, SquaresAreCentredOnTheOutlineCornersAndMidpoints) {
    const auto handles =
        handleRects(WindowRect{11, 21, 51, 41});  // outline columns 10 and 51, rows 20 and 41
    const auto centre = [](const WindowRect& h) { return WindowPoint{h.left + 2, h.top + 2}; };
    EXPECT_EQ(centre(handles[0]), (WindowPoint{10, 20}));
    EXPECT_EQ(centre(handles[1]), (WindowPoint{30, 20}));
    EXPECT_EQ(centre(handles[2]), (WindowPoint{51, 20}));
    EXPECT_EQ(centre(handles[3]), (WindowPoint{51, 30}));
    EXPECT_EQ(centre(handles[4]), (WindowPoint{51, 41}));
    EXPECT_EQ(centre(handles[6]), (WindowPoint{10, 41}));
    for (const WindowRect& h : handles) {
        EXPECT_EQ(h.width(), 5);
        EXPECT_EQ(h.height(), 5);
    }
}

TEST(CheckerTilesTest, TilesStepBy512AndClipAtTheBackgroundEdges) {
    const auto tiles = checkerTiles(WindowRect{10, 20, 1110, 620});
    ASSERT_EQ(tiles.size(), 6u);
    EXPECT_EQ(tiles[0], (WindowRect{10, 20, 522, 532}));
    EXPECT_EQ(tiles[2], (WindowRect{1034, 20, 1110, 532}));
    EXPECT_EQ(tiles[5], (WindowRect{1034, 532, 1110, 620}));
    EXPECT_TRUE(checkerTiles(WindowRect{10, 10, 10, 40}).empty());
}

TEST(ScrollToShowTest, KeepsVisibleSpansAndBringsOthersToTheMargin) {
    // Client 400, position 100: content 68 .. 468 is visible.
    EXPECT_EQ(scrollToShow(100, 100, 50, 1.0, 400, 600), 100);
    EXPECT_EQ(scrollToShow(100, 700, 50, 1.0, 400, 800), 700);
    EXPECT_EQ(scrollToShow(100, 10, 50, 1.0, 400, 600), 10);
    EXPECT_EQ(scrollToShow(100, 900, 50, 1.0, 400, 600), 600);  // clamped to the bar's end
    EXPECT_EQ(scrollToShow(0, 400, 50, 2.0, 400, 1000), 800);
    EXPECT_EQ(scrollToShow(0, 900, 50, 1.0, 400, 0), 0);  // no bar: nothing scrolls
}

}  // namespace
}  // namespace plazor
