#include "canvas/canvas_geometry.h"

#include <algorithm>
#include <cmath>

namespace plazor {
namespace {

int trunc(double value) {
    return static_cast<int>(std::trunc(value));
}

// One axis of a layer rectangle: the left edge is the mapped start; a non-positive extent reaches back.
void mapEdges(double start, int extent, double zoom, int& low, int& high) {
    const int edge = trunc(start);
    const int other = trunc(extent * zoom + edge);
    if (extent > 0) {
        low = edge;
        high = other;
    } else {
        low = other;
        high = edge;
    }
}

}  // namespace

ScrollRange scrollRange(int client, int background, double zoom) {
    const double extent = background * zoom;
    if (client - 2 * kCanvasMargin >= extent) return {};
    return {true, client, trunc(extent + 1 + 2 * kCanvasMargin)};
}

AxisMapping mapAxis(int client, int background, double zoom, int scroll) {
    const double extent = background * zoom;
    if (client - 2 * kCanvasMargin >= extent) {
        const int origin = trunc((client - extent) * 0.5);
        return {origin, trunc(origin + extent)};
    }
    const int origin = kCanvasMargin - scroll;
    return {origin, trunc(extent + origin)};
}

ViewMapping makeMapping(int clientWidth, int clientHeight, int backgroundWidth, int backgroundHeight,
                        double zoom, int scrollX, int scrollY) {
    return {zoom, mapAxis(clientWidth, backgroundWidth, zoom, scrollX),
            mapAxis(clientHeight, backgroundHeight, zoom, scrollY)};
}

WindowPoint ViewMapping::toWindow(int tx, int ty) const {
    return {trunc(tx * zoom + x.origin), trunc(ty * zoom + y.origin)};
}

WindowPoint ViewMapping::toTemplate(int px, int py) const {
    return {trunc((px - x.origin) / zoom), trunc((py - y.origin) / zoom)};
}

WindowRect ViewMapping::layerRect(int tx, int ty, int width, int height) const {
    WindowRect r;
    mapEdges(tx * zoom + x.origin, width, zoom, r.left, r.right);
    mapEdges(ty * zoom + y.origin, height, zoom, r.top, r.bottom);
    return r;
}

WindowRect outlineRect(const WindowRect& rect) {
    return {rect.left - 1, rect.top - 1, rect.right + 1, rect.bottom + 1};
}

std::array<WindowRect, 8> handleRects(const WindowRect& rect) {
    // Outline columns and rows: left - 1 and right, top - 1 and bottom.
    const int l = rect.left - 1, r = rect.right, t = rect.top - 1, b = rect.bottom;
    const int mx = (l + r) / 2, my = (t + b) / 2;
    const auto square = [](int cx, int cy) { return WindowRect{cx - 2, cy - 2, cx + 3, cy + 3}; };
    return {square(l, t), square(mx, t), square(r, t), square(r, my),
            square(r, b), square(mx, b), square(l, b), square(l, my)};
}

std::vector<WindowRect> checkerTiles(const WindowRect& background) {
    std::vector<WindowRect> tiles;
    for (int top = background.top; top < background.bottom; top += kCheckerTileSize) {
        for (int left = background.left; left < background.right; left += kCheckerTileSize) {
            tiles.push_back({left, top, std::min(left + kCheckerTileSize, background.right),
                             std::min(top + kCheckerTileSize, background.bottom)});
        }
    }
    return tiles;
}

int scrollToShow(int scroll, int start, int length, double zoom, int client, int maxPosition) {
    if (maxPosition <= 0) return scroll;
    // Content coordinates: the background's first pixel is at the margin when the position is 0.
    const int first = trunc(start * zoom);
    const int last = first + trunc(length * zoom);
    const int visibleFirst = scroll - kCanvasMargin;
    if (first >= visibleFirst && last <= visibleFirst + client) return scroll;
    return std::clamp(first, 0, maxPosition);
}

}  // namespace plazor
