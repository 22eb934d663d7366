#include "dialogs/grid_generator.h"

#include "dialogs/number_text.h"

namespace plazor {
namespace {

using Failure = GeneratorFailure<GridField>;

// The full-width spaces and small hyphen-minus signs line the numbers up under the words.
constexpr const char* kRightEdge =
    "x坐标  +  总宽度  >  【背景层】宽度\n﹣﹣﹣﹣﹣﹣﹣﹣　   ﹣﹣﹣﹣﹣﹣﹣\n　  　%d　　  　　　　　%d\n\n"
    "提示：x坐标或总宽度需要设置小一些。";
constexpr const char* kBottomEdge =
    "y坐标  +  总高度  >  【背景层】高度\n﹣﹣﹣﹣﹣﹣﹣﹣　   ﹣﹣﹣﹣﹣﹣﹣\n　  　%d　　  　　　　　%d\n\n"
    "提示：y坐标或总高度需要设置小一些。";
constexpr const char* kColumnsTooMany =
    "(总宽度 - 外边距 * 2 - 内边距 * (列数 - 1))的值不能小于列数: %d，而当前值为: %d\n\n"
    "提示：\n1.【外边距】或【内边距】设置小一些。\n2. 或者将【总宽度】设置大一些。\n3. "
    "或者将列数的值设置小一些。";
constexpr const char* kRowsTooMany =
    "(总高度 - 外边距 * 2 - 内边距 * (行数- 1))的值不能小于行数: %d，而当前值为：%d\n\n"
    "提示：\n1.【外边距】或【内边距】设置小一些。\n2. 或者将【总高度】设置大一些。\n3. "
    "或者将行数的值设置小一些。";

// A field is read as at most 7 characters.
int readField(const std::string& text) {
    return parseLeadingInt(std::string_view(text).substr(0, 7));
}

// A field that must hold a number not below `minimum`.
std::optional<Failure> readAtLeast(const std::string& text, GridField field, int minimum,
                                   const char* emptyMessage, const char* lowMessage, int& value) {
    if (text.empty()) return Failure{field, emptyMessage};
    value = readField(text);
    if (value < minimum) return Failure{field, lowMessage};
    return std::nullopt;
}

std::optional<Failure> readCoordinate(const std::string& text, bool isX, int extent, int& value) {
    const GridField field = isX ? GridField::X : GridField::Y;
    if (auto failure = readAtLeast(text, field, 0, isX ? "请输入x坐标" : "请输入y坐标",
                                   isX ? "x坐标不能小于 0" : "y坐标不能小于 0", value))
        return failure;
    if (value >= extent) {
        return Failure{field, formatGeneratorText(isX ? "x坐标不能大于或等于【背景层】宽度：%d"
                                                      : "y坐标不能大于或等于【背景层】高度：%d",
                                                  extent)};
    }
    return std::nullopt;
}

std::optional<Failure> readTotal(const std::string& text, bool isWidth, int extent, int& value,
                                 std::optional<int>& clamped) {
    const GridField field = isWidth ? GridField::TotalWidth : GridField::TotalHeight;
    if (auto failure = readAtLeast(text, field, 5, isWidth ? "请输入总宽度" : "请输入总高度",
                                   isWidth ? "总宽度不能小于 5" : "总高度不能小于 5", value))
        return failure;
    if (value > extent) {
        value = extent;
        clamped = extent;
    }
    return std::nullopt;
}

std::optional<Failure> firstFailure(const GridTexts& texts, int backgroundWidth, int backgroundHeight,
                                    GridCheck& check) {
    GridRequest& r = check.request;
    if (auto f = readCoordinate(texts.x, true, backgroundWidth, r.x)) return f;
    if (auto f = readCoordinate(texts.y, false, backgroundHeight, r.y)) return f;
    if (auto f = readTotal(texts.totalWidth, true, backgroundWidth, r.totalWidth, check.clampedWidth))
        return f;
    if (auto f = readTotal(texts.totalHeight, false, backgroundHeight, r.totalHeight, check.clampedHeight))
        return f;
    if (auto f = readAtLeast(texts.outerMargin, GridField::OuterMargin, 0, "请输入外边距", "外边距不能小于 0",
                             r.outerMargin))
        return f;
    if (auto f = readAtLeast(texts.innerSpacing, GridField::InnerSpacing, 0, "请输入内边距",
                             "内边距不能小于 0", r.innerSpacing))
        return f;
    if (auto f = readAtLeast(texts.rows, GridField::Rows, 1, "请输入行数", "行数不能小于 1", r.rows))
        return f;
    if (auto f = readAtLeast(texts.columns, GridField::Columns, 1, "请输入列数", "列数不能小于 1", r.columns))
        return f;
    // The sums are formed in 64 bits: the fields' values are bounded only by their text length.
    const long long right = static_cast<long long>(r.x) + r.totalWidth;
    if (right > backgroundWidth) {
        return Failure{GridField::None,
                       formatGeneratorText(kRightEdge, static_cast<int>(right), backgroundWidth)};
    }
    const long long bottom = static_cast<long long>(r.y) + r.totalHeight;
    if (bottom > backgroundHeight) {
        return Failure{GridField::None,
                       formatGeneratorText(kBottomEdge, static_cast<int>(bottom), backgroundHeight)};
    }
    const int freeWidth = gridFreeExtent(r.totalWidth, r.outerMargin, r.innerSpacing, r.columns);
    if (freeWidth < r.columns)
        return Failure{GridField::None, formatGeneratorText(kColumnsTooMany, r.columns, freeWidth)};
    const int freeHeight = gridFreeExtent(r.totalHeight, r.outerMargin, r.innerSpacing, r.rows);
    if (freeHeight < r.rows)
        return Failure{GridField::None, formatGeneratorText(kRowsTooMany, r.rows, freeHeight)};
    return std::nullopt;
}

}  // namespace

int gridFreeExtent(int total, int outerMargin, int innerSpacing, int count) {
    const long long free = static_cast<long long>(total) - 2LL * outerMargin -
                           static_cast<long long>(innerSpacing) * (count - 1);
    // Far below any count, so the check refuses it; kept inside int for the message.
    return free < -1000000000LL ? -1000000000 : static_cast<int>(free);
}

GridCheck checkGridTexts(const GridTexts& texts, int backgroundWidth, int backgroundHeight) {
    GridCheck check;
    check.failure = firstFailure(texts, backgroundWidth, backgroundHeight, check);
    return check;
}

std::vector<CellRect> gridCells(const GridRequest& request) {
    const int cellWidth =
        gridFreeExtent(request.totalWidth, request.outerMargin, request.innerSpacing, request.columns) /
        request.columns;
    const int cellHeight =
        gridFreeExtent(request.totalHeight, request.outerMargin, request.innerSpacing, request.rows) /
        request.rows;
    std::vector<CellRect> cells;
    cells.reserve(static_cast<std::size_t>(request.rows) * static_cast<std::size_t>(request.columns));
    for (int r = 0; r < request.rows; ++r) {
        for (int k = 0; k < request.columns; ++k) {
            cells.push_back({request.x + request.outerMargin + k * (cellWidth + request.innerSpacing),
                             request.y + request.outerMargin + r * (cellHeight + request.innerSpacing),
                             cellWidth, cellHeight});
        }
    }
    return cells;
}

}  // namespace plazor
