// The checks behind "确定" of the paste layer, watermark and horizontal slice position dialogs: each
// takes the typed texts and the background size and gives either the first refusal or the values.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace plazor {

// In this order: the dialogs look their fields up by it.
enum class DialogField { None, X, Y, Width, Height };

// A refused entry: the text of the warning box (caption "提示") and the field that takes the focus
// afterwards (None leaves the focus where it was).
struct FieldFailure {
    DialogField focus = DialogField::None;
    std::string message;
    bool operator==(const FieldFailure&) const = default;
};

struct PasteLayerTexts {
    std::string x, y, width, height;
};

struct PasteLayerCheck {
    std::optional<FieldFailure> failure;
    int x = 0, y = 0, width = 0, height = 0;  // the accepted rectangle when nothing failed
    // A width or height beyond the background is silently replaced by the background's extent; the
    // field shows the replacement even when a later check fails.
    std::optional<int> clampedWidth, clampedHeight;
};

PasteLayerCheck checkPasteLayerTexts(const PasteLayerTexts& texts, int backgroundWidth, int backgroundHeight);

struct WatermarkCheck {
    std::optional<FieldFailure> failure;
    int x = 0, y = 0;
};

// The watermark's own size is not edited but must fit on the background at the typed position.
WatermarkCheck checkWatermarkTexts(std::string_view x, std::string_view y, int watermarkWidth,
                                   int watermarkHeight, int backgroundWidth, int backgroundHeight);

struct SliceCheck {
    std::optional<FieldFailure> failure;
    int y = 0;
};

SliceCheck checkSliceText(std::string_view y, int backgroundHeight);

}  // namespace plazor
