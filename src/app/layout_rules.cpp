#include "app/layout_rules.h"

#include <algorithm>
#include <numeric>

namespace plazor {
namespace {

// The list and the source-folder row keep fixed distances from the block's bottom edge.
constexpr int kListBelowBlock = 71;
constexpr int kButtonAboveBottom = 39;
constexpr int kEditAboveBottom = 37;
constexpr int kLabelAboveBottom = 34;

int pasteBlockHeight(int h) {
    if (h < 826) return 166;
    if (h <= 847) return 188;
    if (h <= 869) return 210;
    if (h == 870) return 232;
    if (h <= 914) return h - 638;
    if (h <= 936) return 254;
    if (h <= 958) return 276;
    return 298;
}

}  // namespace

PasteBlockGeometry pasteBlockGeometry(int maximisedHeight) {
    const int block = pasteBlockHeight(maximisedHeight);
    return {block, block - kListBelowBlock, block - kButtonAboveBottom, block - kEditAboveBottom,
            block - kLabelAboveBottom};
}

std::vector<int> fittedColumnWidths(std::span<const int> defaults, int scrollBarThickness) {
    std::vector<int> widths(defaults.begin(), defaults.end());
    const int excess = scrollBarThickness - kStandardScrollBarThickness;
    const int sum = std::accumulate(defaults.begin(), defaults.end(), 0);
    if (excess <= 0 || sum <= 0) return widths;
    for (int& w : widths) {
        const long long share = static_cast<long long>(w) * excess;
        w -= static_cast<int>((share + sum - 1) / sum);  // rounded up
    }
    return widths;
}

PanelStack stackBlocks(std::span<const int> heights) {
    PanelStack stack;
    int y = 0;
    for (std::size_t i = 0; i < heights.size(); ++i) {
        if (i > 0) y += heights[i - 1] + (i + 1 == heights.size() ? kStartButtonGap : kBlockGap);
        stack.ys.push_back(y);
    }
    stack.height = heights.empty() ? 0 : y + heights.back();
    return stack;
}

PanelScroll panelScroll(int visibleHeight, int stackedHeight) {
    if (visibleHeight >= stackedHeight) return {};
    // A little room below the start button, so its frame is not flush with the panel's edge.
    return {std::max(visibleHeight, 1), stackedHeight + 6};
}

int clampScrollPosition(int position, const PanelScroll& scroll) {
    return std::clamp(position, 0, std::max(scroll.maxPosition(), 0));
}

int wheelScrollPosition(int position, int wheelDelta, const PanelScroll& scroll) {
    if (wheelDelta == 0) return clampScrollPosition(position, scroll);
    return clampScrollPosition(position + (wheelDelta > 0 ? -kPanelWheelStep : kPanelWheelStep), scroll);
}

ContentLayout contentLayout(int contentWidth, int contentHeight, int stackedHeight, int scrollBarWidth) {
    ContentLayout layout;
    layout.panelScrollBar = contentHeight - 8 < stackedHeight;
    const int panelWidth = layout.panelScrollBar ? kPanelWidth + scrollBarWidth : kPanelWidth;
    const int reserved = layout.panelScrollBar ? 1 : 0;  // keeps the scroll bar off the window's edge
    layout.sidePanel = {contentWidth - reserved - panelWidth, kPanelTop, panelWidth,
                        contentHeight - kPanelTop};
    layout.canvasHost = {1, 0, contentWidth - reserved - panelWidth - 6, contentHeight};
    return layout;
}

WindowSize minimumWindowSize(int menuBarHeight) {
    return {780, menuBarHeight + 500};
}

bool shouldRestoreFromMaximised(WindowSize size, WindowSize minimum, bool maximised) {
    return maximised && (size.width < minimum.width || size.height < minimum.height);
}

Span statusPartSpan(int part, int barWidth) {
    if (part < 0 || part >= kStatusPartCount) return {};
    const int left = part == 0 ? 0 : kStatusPartRightEdges[static_cast<std::size_t>(part - 1)];
    const int right = part == kStatusPartCount - 1 ? std::max(barWidth, left)
                                                   : kStatusPartRightEdges[static_cast<std::size_t>(part)];
    return {left, right};
}

std::vector<Box> flowRow(std::span<const RowControl> row, int right) {
    std::vector<int> widths;
    for (const RowControl& control : row)
        widths.push_back(std::max(control.box.width, control.neededWidth));
    const auto place = [&row, &widths] {
        std::vector<Box> boxes;
        for (std::size_t i = 0; i < row.size(); ++i) {
            Box box = row[i].box;
            box.width = widths[i];
            if (i > 0) {
                const Box& designedBefore = row[i - 1].box;
                const int gap = std::min(kRowGap, box.x - (designedBefore.x + designedBefore.width));
                box.x = std::max(box.x, boxes.back().x + boxes.back().width + gap);
            }
            boxes.push_back(box);
        }
        return boxes;
    };
    const auto overflow = [right](const std::vector<Box>& boxes) {
        return boxes.empty() ? 0 : boxes.back().x + boxes.back().width - right;
    };
    std::vector<Box> boxes = place();
    for (std::size_t i = row.size(); i-- > 0 && overflow(boxes) > 0;) {
        const int kept = widths[i];
        widths[i] -= std::min(overflow(boxes), std::max(0, widths[i] - row[i].neededWidth));
        std::vector<Box> narrower = place();
        // A control with room after it pushes nothing: it keeps its width.
        if (overflow(narrower) < overflow(boxes)) {
            boxes = std::move(narrower);
        } else {
            widths[i] = kept;
        }
    }
    return boxes;
}

}  // namespace plazor
