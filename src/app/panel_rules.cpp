#include "app/panel_rules.h"

#include "app/command_ids.h"

#include <algorithm>
#include <cctype>
#include <iterator>

namespace plazor {

SwitchRules switchRules(bool showPictures, bool watermarksOn, bool slicesOn) {
    return {showPictures, !showPictures, watermarksOn, slicesOn};
}

OutputVisibility outputVisibility(std::string_view formatText, bool png8) {
    const bool jpg = std::ranges::equal(formatText, std::string_view("JPG"), [](char a, char b) {
        return std::toupper(static_cast<unsigned char>(a)) == b;
    });
    return {jpg, !jpg, !jpg && png8};
}

bool swatchEnabled(int colourIndex) {
    return colourIndex == kChosenColourIndex;
}

std::string qualityText(int quality) {
    const char* grade = quality >= 90 ? "(高)" : quality >= 60 ? "(中)" : "(低)";
    return std::to_string(quality) + grade;
}

int colourCountIndex(int count) {
    const auto* it = std::ranges::find(kColourCounts, count);
    return it == std::end(kColourCounts) ? static_cast<int>(std::size(kColourCounts)) - 1
                                         : static_cast<int>(it - std::begin(kColourCounts));
}

int colourCountAt(int index) {
    const int last = static_cast<int>(std::size(kColourCounts)) - 1;
    return kColourCounts[std::clamp(index, 0, last)];
}

bool contextItemNeedsSelection(int commandId) {
    switch (commandId) {
        case cmd::kPasteInsert:
        case cmd::kPasteEdit:
        case cmd::kPasteCopy:
        case cmd::kPasteDelete:
        case cmd::kWatermarkInsert:
        case cmd::kWatermarkEdit:
        case cmd::kWatermarkChangePicture:
        case cmd::kWatermarkDelete:
        case cmd::kSliceEdit:
        case cmd::kSliceDelete:
            return true;
        default:
            return commandId >= cmd::kSelectedLevelAbove && commandId <= cmd::kSelectedStyleLast;
    }
}

std::optional<unsigned> sharedValue(std::span<const unsigned> values) {
    if (values.empty()) return std::nullopt;
    const unsigned first = values.front();
    if (!std::ranges::all_of(values, [first](unsigned v) { return v == first; })) return std::nullopt;
    return first;
}

}  // namespace plazor
