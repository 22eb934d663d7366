#include "dialogs/custom_style_rules.h"

#include <algorithm>
#include <cmath>

#include "dialogs/number_text.h"

namespace plazor {
namespace {

// trunc(value), plus 1 when the fraction is at least one half, and at least 1.
int roundedSize(float value) {
    const float whole = std::trunc(value);
    const int rounded = static_cast<int>(whole) + (value - whole >= 0.5F ? 1 : 0);
    return std::max(1, rounded);
}

float ratio(SampleSize sample) {
    return static_cast<float>(sample.width) / static_cast<float>(sample.height);
}

bool usable(std::optional<SampleSize> sample) {
    return sample && sample->width > 0 && sample->height > 0;
}

std::string positiveText(int value) {
    return value > 0 ? std::to_string(value) : std::string();
}

}  // namespace

int proportionalHeight(int width, SampleSize sample) {
    return roundedSize(static_cast<float>(width) / ratio(sample));
}

int proportionalWidth(int height, SampleSize sample) {
    return roundedSize(ratio(sample) * static_cast<float>(height));
}

bool keepsProportions(const Customize& record, SampleSize sample) {
    if (record.width == 0 && record.height == 0) return true;
    if (record.width <= 0 || record.height <= 0 || sample.width <= 0 || sample.height <= 0) return false;
    return record.height == proportionalHeight(record.width, sample);
}

CustomStyleFields customStyleFields(const Customize& record, std::optional<SampleSize> sample) {
    CustomStyleFields fields;
    fields.width = positiveText(record.width);
    fields.height = positiveText(record.height);
    fields.proportionsEnabled = usable(sample);
    fields.proportionsChecked = fields.proportionsEnabled && keepsProportions(record, *sample);
    fields.horizontalIndex = record.horizontalPosition;
    fields.verticalIndex = record.verticalPosition;
    fields.leftVisible = record.horizontalPosition == kPosValue;
    fields.topVisible = record.verticalPosition == kPosValue;
    fields.left = std::to_string(record.left);
    fields.top = std::to_string(record.top);
    return fields;
}

SizeEdit editSize(const Customize& record, SizeAxis axis, std::string_view text, bool keepProportions,
                  std::optional<SampleSize> sample) {
    SizeEdit edit{record, std::nullopt};
    const bool empty = trimBlanks(text).empty();
    const int value = empty ? 0 : parseLeadingInt(text);
    if (value < 0) return edit;
    const bool width = axis == SizeAxis::Width;
    (width ? edit.record.width : edit.record.height) = value;
    if (!keepProportions || !usable(sample)) return edit;
    int other = 0;
    if (value > 0) {
        other = width ? proportionalHeight(value, *sample) : proportionalWidth(value, *sample);
        edit.otherField = std::to_string(other);
    } else {
        edit.otherField = empty ? std::string() : std::string("0");
    }
    (width ? edit.record.height : edit.record.width) = other;
    return edit;
}

Customize withProportionsKept(const Customize& record, std::optional<SampleSize> sample) {
    if (!usable(sample) || keepsProportions(record, *sample)) return record;
    Customize kept = record;
    kept.width = sample->width;
    kept.height = sample->height;
    return kept;
}

bool refusedSize(std::string_view text) {
    return parseLeadingInt(text) < 0;
}

int offsetValue(std::string_view text) {
    return parseLeadingInt(text);
}

}  // namespace plazor
