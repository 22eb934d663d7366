// Geometry of the main window as plain functions: the paste block's height for the screen, the list
// column widths, the stacking and scrolling of the side panel, the split between canvas and side panel,
// the minimum window size and the status bar's parts.
#pragma once

#include <array>
#include <span>
#include <vector>

namespace plazor {

struct Box {
    int x = 0, y = 0, width = 0, height = 0;
    bool operator==(const Box&) const = default;
};

// One control of a row laid out again: its designed box and the width its text needs.
struct RowControl {
    Box box;
    int neededWidth = 0;
};

inline constexpr int kRowGap = 2;  // the least room between two controls a row must push apart

// The boxes of a row, in order, after some controls need more than their designed width: each grows
// to what it needs and keeps its x unless the control before it now comes closer than kRowGap (or
// than its designed gap, where that was smaller). When the row then ends beyond `right`, controls
// wider than they need give the difference back, the rightmost first.
std::vector<Box> flowRow(std::span<const RowControl> row, int right);

// Height of the paste block, of its list and the y of the source-folder row's button, edit and label.
struct PasteBlockGeometry {
    int blockHeight = 0;
    int listHeight = 0;
    int buttonY = 0;
    int editY = 0;
    int labelY = 0;
    bool operator==(const PasteBlockGeometry&) const = default;
};

// The paste block grows with the maximised window height of the screen.
PasteBlockGeometry pasteBlockGeometry(int maximisedHeight);

// Default column widths of the three lists.
inline constexpr std::array<int, 7> kPasteColumnWidths = {41, 43, 43, 43, 43, 62, 82};
inline constexpr std::array<int, 6> kWatermarkColumnWidths = {41, 43, 43, 43, 43, 144};
inline constexpr std::array<int, 2> kSliceColumnWidths = {41, 315};

// Scroll bars up to this thickness leave the default column widths as they are.
inline constexpr int kStandardScrollBarThickness = 17;

// A thicker scroll bar takes its excess from the columns in proportion to their widths, so that the
// columns still fit beside the list's vertical scroll bar.
std::vector<int> fittedColumnWidths(std::span<const int> defaults, int scrollBarThickness);

// Side panel blocks: fixed heights except the paste block.
inline constexpr int kBlockWidth = 400;
inline constexpr int kBackgroundBlockHeight = 63;
inline constexpr int kWatermarkBlockHeight = 135;
inline constexpr int kSliceBlockHeight = 135;
inline constexpr int kOutputBlockHeight = 96;
inline constexpr int kStartButtonHeight = 27;

inline constexpr int kBlockGap = 16;
inline constexpr int kStartButtonGap = 18;  // the start button sits a little further down

struct PanelStack {
    std::vector<int> ys;  // one per block, in order
    int height = 0;       // last block's y plus its height
};

// Stacks blocks of the given heights top to bottom; the last one is the start button.
PanelStack stackBlocks(std::span<const int> heights);

// Scroll bar of the side panel in the terms of a Win32 scroll bar: a page and a range 0..maximum.
// A page of 0 means the panel fits and does not scroll.
struct PanelScroll {
    int page = 0;
    int maximum = 0;
    // The largest position the thumb can reach.
    int maxPosition() const { return page > 0 ? maximum - page + 1 : 0; }
    bool scrolls() const { return page > 0; }
    bool operator==(const PanelScroll&) const = default;
};

PanelScroll panelScroll(int visibleHeight, int stackedHeight);

inline constexpr int kPanelLineStep = 21;
inline constexpr int kPanelWheelStep = 50;

int clampScrollPosition(int position, const PanelScroll& scroll);

// A wheel turn away from the user (positive delta) scrolls the panel up by one wheel step, a turn
// towards the user down.
int wheelScrollPosition(int position, int wheelDelta, const PanelScroll& scroll);

// Widths of the side panel without and with its vertical scroll bar.
inline constexpr int kPanelWidth = 406;
inline constexpr int kPanelTop = 7;

// Where the canvas host and the side panel go inside the window's content area (the client area less
// the menu bar and the status bar). The panel widens by the scroll bar when the blocks do not fit.
struct ContentLayout {
    Box canvasHost;
    Box sidePanel;
    bool panelScrollBar = false;
};

ContentLayout contentLayout(int contentWidth, int contentHeight, int stackedHeight, int scrollBarWidth);

struct WindowSize {
    int width = 0, height = 0;
    bool operator==(const WindowSize&) const = default;
};

// The smallest size of the window without its frame: the menu bar plus 500 pixels for everything below.
WindowSize minimumWindowSize(int menuBarHeight);

// A maximised window that is still smaller than its minimum goes back to its normal size.
bool shouldRestoreFromMaximised(WindowSize size, WindowSize minimum, bool maximised);

// The status bar's six parts: right edges of the first five; the last reaches the bar's edge.
inline constexpr int kStatusPartCount = 6;
inline constexpr std::array<int, kStatusPartCount - 1> kStatusPartRightEdges = {200, 400, 600, 660, 720};
inline constexpr int kStatusBarMinHeight = 19;

// Left and right edge of one part in a bar of the given width.
struct Span {
    int left = 0, right = 0;
    bool operator==(const Span&) const = default;
};
Span statusPartSpan(int part, int barWidth);

}  // namespace plazor
