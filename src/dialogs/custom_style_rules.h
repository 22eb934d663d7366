// The plain rules of the custom display style window: how a Customize record is shown in its fields
// and how each edit of a field changes the record.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "template/document.h"

namespace plazor {

// The pixel size of the sample picture shown in a paste layer.
struct SampleSize {
    int width = 0;
    int height = 0;
    bool operator==(const SampleSize&) const = default;
};

// The height that keeps a sample's proportions at `width`, and the width at `height`: single-precision
// ratio, halves rounded up, at least 1.
int proportionalHeight(int width, SampleSize sample);
int proportionalWidth(int height, SampleSize sample);

// Whether the record's size keeps the sample's proportions: both sizes 0, or both positive with the
// height matching the width.
bool keepsProportions(const Customize& record, SampleSize sample);

// What the fields of the window show for a record.
struct CustomStyleFields {
    std::string width;  // empty unless positive
    std::string height;
    bool proportionsEnabled = false;  // only with a sample
    bool proportionsChecked = false;  // the bracket shows with the check
    int horizontalIndex = kPosStart;
    int verticalIndex = kPosStart;
    bool leftVisible = false;  // the offset fields show only for the value position
    bool topVisible = false;
    std::string left;
    std::string top;
    bool operator==(const CustomStyleFields&) const = default;
};

CustomStyleFields customStyleFields(const Customize& record, std::optional<SampleSize> sample);

enum class SizeAxis { Width, Height };

// A size field's edit: the new record and, when proportions are kept, the text the other size field
// takes.
struct SizeEdit {
    Customize record;
    std::optional<std::string> otherField;
    bool operator==(const SizeEdit&) const = default;
};

// The record after `text` was typed into the width or height field. A negative number changes nothing
// (the field asks for a new entry when it loses the focus).
SizeEdit editSize(const Customize& record, SizeAxis axis, std::string_view text, bool keepProportions,
                  std::optional<SampleSize> sample);

// Turning "约束比例" on: a record out of proportion takes the sample's own size.
Customize withProportionsKept(const Customize& record, std::optional<SampleSize> sample);

// A size field holding a negative number is refused when it loses the focus.
bool refusedSize(std::string_view text);

// An offset field's number; an empty field (or a lone "-") counts as 0.
int offsetValue(std::string_view text);

}  // namespace plazor
