#include "dialogs/position_checks.h"

#include <cstdio>

#include "dialogs/number_text.h"

namespace plazor {
namespace {

template <typename... Ints>
std::string formatText(const char* format, Ints... values) {
    const int size = std::snprintf(nullptr, 0, format, values...);
    std::string text(static_cast<std::size_t>(size), '\0');
    std::snprintf(text.data(), text.size() + 1, format, values...);
    return text;
}

// The full-width spaces and small hyphen-minus signs line the numbers up under the words.
constexpr const char* kPasteRightEdge =
    "x坐标  +  宽度  >  【背景层】宽度\n﹣﹣﹣﹣﹣﹣﹣　   ﹣﹣﹣﹣﹣﹣﹣\n　  　%d　　  　　　　%d\n\n"
    "提示：x坐标或宽度需要设置小一些。";
constexpr const char* kPasteBottomEdge =
    "y坐标  +  高度  >  【背景层】高度\n﹣﹣﹣﹣﹣﹣﹣　   ﹣﹣﹣﹣﹣﹣﹣\n　  　%d　　  　　　　%d\n\n"
    "提示：y坐标或高度需要设置小一些。";
constexpr const char* kWatermarkRightEdge =
    "x坐标  +  水印宽度  >  【背景层】宽度\n﹣﹣﹣﹣﹣﹣﹣﹣﹣　   ﹣﹣﹣﹣﹣﹣﹣\n　  　%d　　　　  "
    "　　　　%d\n\n"
    "提示：x坐标需要设置小一些。";
constexpr const char* kWatermarkBottomEdge =
    "y坐标  +  水印高度  >  【背景层】高度\n﹣﹣﹣﹣﹣﹣﹣﹣﹣　   ﹣﹣﹣﹣﹣﹣﹣\n　  　%d　　　　  "
    "　　　　%d\n\n"
    "提示：y坐标需要设置小一些。";

// The three checks every x or y coordinate passes: present, not negative, inside the background.
std::optional<FieldFailure> checkCoordinate(std::string_view text, DialogField field, int extent,
                                            int& value) {
    const bool isX = field == DialogField::X;
    if (text.empty()) return FieldFailure{field, isX ? "请输入x坐标" : "请输入y坐标"};
    value = parseLeadingInt(text);
    if (value < 0) return FieldFailure{field, isX ? "x坐标不能小于 0" : "y坐标不能小于 0"};
    if (value >= extent) {
        return FieldFailure{field, formatText(isX ? "x坐标不能大于或等于【背景层】宽度：%d"
                                                  : "y坐标不能大于或等于【背景层】高度：%d",
                                              extent)};
    }
    return std::nullopt;
}

// A size must be present and at least 1; one beyond the background is cut to the background's extent.
std::optional<FieldFailure> checkExtent(std::string_view text, DialogField field, int limit, int& value,
                                        std::optional<int>& clamped) {
    const bool isWidth = field == DialogField::Width;
    if (text.empty()) return FieldFailure{field, isWidth ? "请输入宽度" : "请输入高度"};
    value = parseLeadingInt(text);
    if (value < 1) return FieldFailure{field, isWidth ? "宽度不能小于 1" : "高度不能小于 1"};
    if (value > limit) {
        value = limit;
        clamped = limit;
    }
    return std::nullopt;
}

}  // namespace

PasteLayerCheck checkPasteLayerTexts(const PasteLayerTexts& texts, int backgroundWidth,
                                     int backgroundHeight) {
    PasteLayerCheck check;
    check.failure = checkCoordinate(texts.x, DialogField::X, backgroundWidth, check.x);
    if (check.failure) return check;
    check.failure = checkCoordinate(texts.y, DialogField::Y, backgroundHeight, check.y);
    if (check.failure) return check;
    check.failure =
        checkExtent(texts.width, DialogField::Width, backgroundWidth, check.width, check.clampedWidth);
    if (check.failure) return check;
    check.failure =
        checkExtent(texts.height, DialogField::Height, backgroundHeight, check.height, check.clampedHeight);
    if (check.failure) return check;
    if (check.x + check.width > backgroundWidth) {
        check.failure = FieldFailure{DialogField::None,
                                     formatText(kPasteRightEdge, check.x + check.width, backgroundWidth)};
    } else if (check.y + check.height > backgroundHeight) {
        check.failure = FieldFailure{DialogField::None,
                                     formatText(kPasteBottomEdge, check.y + check.height, backgroundHeight)};
    }
    return check;
}

WatermarkCheck checkWatermarkTexts(std::string_view x, std::string_view y, int watermarkWidth,
                                   int watermarkHeight, int backgroundWidth, int backgroundHeight) {
    WatermarkCheck check;
    check.failure = checkCoordinate(x, DialogField::X, backgroundWidth, check.x);
    if (check.failure) return check;
    check.failure = checkCoordinate(y, DialogField::Y, backgroundHeight, check.y);
    if (check.failure) return check;
    if (check.x + watermarkWidth > backgroundWidth) {
        check.failure = FieldFailure{
            DialogField::None, formatText(kWatermarkRightEdge, check.x + watermarkWidth, backgroundWidth)};
    } else if (check.y + watermarkHeight > backgroundHeight) {
        check.failure = FieldFailure{
            DialogField::None, formatText(kWatermarkBottomEdge, check.y + watermarkHeight, backgroundHeight)};
    }
    return check;
}

SliceCheck checkSliceText(std::string_view y, int backgroundHeight) {
    SliceCheck check;
    if (y.empty()) {
        check.failure = FieldFailure{DialogField::Y, "请输入y坐标"};
        return check;
    }
    check.y = parseLeadingInt(y);
    if (check.y <= 0) {
        check.failure = FieldFailure{DialogField::Y, "y坐标不能小于 1"};
    } else if (check.y >= backgroundHeight) {
        check.failure = FieldFailure{DialogField::Y,
                                     formatText("y坐标不能大于或等于【背景层】高度：%d", backgroundHeight)};
    }
    return check;
}

}  // namespace plazor
