// The canvas's geometry as plain functions: scroll bar ranges, the mapping between template pixels and
// window pixels, layer rectangles in the window with their outlines and handles, the checkerboard tiles
// and scrolling a layer into view.
#pragma once

#include <array>
#include <vector>

namespace plazor {

// Window pixels kept free left of and above the background when the view is scrolled.
inline constexpr int kCanvasMargin = 32;
// Side of the checkerboard tile, in window pixels (tiles are not scaled with the zoom).
inline constexpr int kCheckerTileSize = 512;

// One scroll bar in the window system's terms: hidden, or a page and a maximum over the minimum 0.
struct ScrollRange {
    bool visible = false;
    int page = 0;
    int maximum = 0;
    // The largest scroll position the bar allows (0 when hidden).
    int maxPosition() const { return visible ? maximum - page + 1 : 0; }
};

// The bar of one axis, with client extent `client`, background extent `background` and `zoom`.
ScrollRange scrollRange(int client, int background, double zoom);

// One axis of the mapping: the window position of template pixel 0 and one past the background's end.
struct AxisMapping {
    int origin = 0;
    int end = 0;
};

// A background that fits is centred; otherwise it starts `kCanvasMargin` minus the scroll position in.
AxisMapping mapAxis(int client, int background, double zoom, int scroll);

struct WindowPoint {
    int x = 0, y = 0;
    bool operator==(const WindowPoint&) const = default;
};

// Edges of a rectangle in window pixels; right and bottom are exclusive.
struct WindowRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool operator==(const WindowRect&) const = default;
};

// Template <-> window for one paint.
struct ViewMapping {
    double zoom = 1.0;
    AxisMapping x, y;

    WindowPoint toWindow(int tx, int ty) const;
    // Truncates toward zero, so window pixels just left of or above the origin map to template 0.
    WindowPoint toTemplate(int px, int py) const;
    // The window edges of a template rectangle; a negative width or height extends left or up.
    WindowRect layerRect(int tx, int ty, int width, int height) const;
    // The background's rectangle in the window.
    WindowRect backgroundRect() const { return {x.origin, y.origin, x.end, y.end}; }
};

ViewMapping makeMapping(int clientWidth, int clientHeight, int backgroundWidth, int backgroundHeight,
                        double zoom, int scrollX, int scrollY);

// The 1-pixel outline just outside a rectangle's pixels: one pixel wider on each side.
WindowRect outlineRect(const WindowRect& rect);

// The eight 5 x 5 handle squares of a layer: on the outline's corners and the midpoints of its sides.
std::array<WindowRect, 8> handleRects(const WindowRect& rect);

// Where the checker tile is drawn over the background: 512-pixel columns and rows from the origin,
// the last ones clipped at the background's right and bottom edges. Each rectangle shows the tile's
// top-left part of its size.
std::vector<WindowRect> checkerTiles(const WindowRect& background);

// The scroll position of one axis that brings the template span start .. start + length into view: kept
// (start and length normalised, length >= 0) when the span is already visible, else the span's start goes to
// the margin, within 0 .. maxPosition.
int scrollToShow(int scroll, int start, int length, double zoom, int client, int maxPosition);

}  // namespace plazor
