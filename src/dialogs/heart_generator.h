// The heart layout generator's plain part: the sizes of the heart, the checks behind "确定" of its
// dialog, the size text the dialog shows, the heart's origin and its 27 cells.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "dialogs/generator_cells.h"

namespace plazor {

enum class HeartPlacement { ResizeBackground = 0, OnBackground = 1 };
enum HeartHorizontalAlign : int { kHeartAlignLeft = 0, kHeartAlignRight = 2, kHeartAlignCentreX = 4 };
enum HeartVerticalAlign : int { kHeartAlignTop = 1, kHeartAlignBottom = 3, kHeartAlignCentreY = 4 };
enum HeartStyle : int { kHeartAllSmall = 0, kHeartBigMiddle = 1 };

// The dialog's fields, in check order.
enum class HeartField {
    None,
    FillLeft,
    FillTop,
    FillRight,
    FillBottom,
    HorizontalMargin,
    VerticalMargin,
    SmallSize,
    Spacing
};

// What the dialog holds: the choices and the typed texts.
struct HeartTexts {
    HeartPlacement placement = HeartPlacement::ResizeBackground;
    std::string fillLeft, fillTop, fillRight, fillBottom;
    int horizontalAlign = kHeartAlignCentreX;
    std::string horizontalMargin;
    int verticalAlign = kHeartAlignCentreY;
    std::string verticalMargin;
    int style = kHeartAllSmall;
    std::string smallSize, spacing;
};

struct HeartRequest {
    HeartPlacement placement = HeartPlacement::ResizeBackground;
    int fillLeft = 0, fillTop = 0, fillRight = 0, fillBottom = 0;
    int horizontalAlign = kHeartAlignCentreX, horizontalMargin = 0;  // the margin is 0 for centre
    int verticalAlign = kHeartAlignCentreY, verticalMargin = 0;
    int style = kHeartAllSmall;
    int smallSize = 0;  // width and height of a small cell
    int spacing = 0;
    bool operator==(const HeartRequest&) const = default;
};

struct HeartSize {
    int width = 0, height = 0;
    bool operator==(const HeartSize&) const = default;
};

// The side of a big cell: small x 2.43 + spacing, truncated.
int heartBigSize(int smallSize, int spacing);
HeartSize heartSize(int style, int smallSize, int spacing);

struct HeartCheck {
    std::optional<GeneratorFailure<HeartField>> failure;
    HeartRequest request;  // complete when nothing failed
};

HeartCheck checkHeartTexts(const HeartTexts& texts, int backgroundWidth, int backgroundHeight);

// "心型图尺寸：%d x %d, 需要的背景层尺寸: %d x %d", or an empty text while a field it needs is empty
// or negative or the small size is not positive.
std::string heartSizeText(const HeartTexts& texts);

// Where the heart's top-left corner goes and, when the background is resized around it, the new
// background size.
struct HeartPlan {
    int x = 0, y = 0;
    std::optional<HeartSize> background;
    bool operator==(const HeartPlan&) const = default;
};

HeartPlan heartPlan(const HeartRequest& request, int backgroundWidth, int backgroundHeight);

// The 27 cells in creation order: row by row from the top, left to right.
std::vector<CellRect> heartCells(const HeartRequest& request, int x, int y);

}  // namespace plazor
