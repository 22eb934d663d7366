// The multi-grid generator's plain part: the checks behind "确定" of its dialog and the cells of a
// confirmed request.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "dialogs/generator_cells.h"

namespace plazor {

// The dialog's fields, in check order.
enum class GridField { None, X, Y, TotalWidth, TotalHeight, OuterMargin, InnerSpacing, Rows, Columns };

struct GridTexts {
    std::string x, y, totalWidth, totalHeight, outerMargin, innerSpacing, rows, columns;
};

// A block of rows x columns equal cells: its top-left corner and size, margins included.
struct GridRequest {
    int x = 0, y = 0, totalWidth = 0, totalHeight = 0;
    int outerMargin = 0, innerSpacing = 0;
    int rows = 0, columns = 0;
    bool operator==(const GridRequest&) const = default;
};

struct GridCheck {
    std::optional<GeneratorFailure<GridField>> failure;
    GridRequest request;  // complete when nothing failed
    // A total size beyond the background is silently cut to it; the field shows the cut value even
    // when a later check fails.
    std::optional<int> clampedWidth, clampedHeight;
};

GridCheck checkGridTexts(const GridTexts& texts, int backgroundWidth, int backgroundHeight);

// The space left for the cells of one direction once the margins and the spacings are taken.
int gridFreeExtent(int total, int outerMargin, int innerSpacing, int count);

// Row by row, left to right. The remainder of the integer division stays empty at the right and
// bottom edges of the block.
std::vector<CellRect> gridCells(const GridRequest& request);

}  // namespace plazor
