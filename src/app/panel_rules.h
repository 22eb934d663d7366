// Which controls of the side panel are enabled, checked or visible, decided from plain inputs, and the
// small texts the panel derives from its own controls.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace plazor {

// Enable state of the layer blocks' controls that follow the caption check boxes.
struct SwitchRules {
    bool pasteShowAreasEnabled = true;
    bool pasteShowAreasForced = false;  // "显示选区" is forced on so that pictures or areas are drawn
    bool watermarkControlsEnabled = true;
    bool sliceControlsEnabled = true;
    bool operator==(const SwitchRules&) const = default;
};

SwitchRules switchRules(bool showPictures, bool watermarksOn, bool slicesOn);

// Which of the output block's controls show: the JPG ones (colour space, quality) or the PNG ones
// (transparency, PNG-8), and the colour count only for PNG-8.
struct OutputVisibility {
    bool jpgControls = true;
    bool pngControls = false;
    bool colourCount = false;
    bool operator==(const OutputVisibility&) const = default;
};

// The format list's text decides ("JPG" in any letter case).
OutputVisibility outputVisibility(std::string_view formatText, bool png8);

// The colour swatch reacts only while the colour list shows "选择" (its last item).
inline constexpr int kChosenColourIndex = 2;
bool swatchEnabled(int colourIndex);

// "%d(高)" from 90, "%d(中)" from 60, "%d(低)" below.
std::string qualityText(int quality);

// The colour counts of the PNG-8 list, in list order; an unknown count shows the last (256).
inline constexpr int kColourCounts[] = {2, 4, 8, 16, 32, 64, 128, 256};
int colourCountIndex(int count);
int colourCountAt(int index);

// Context menu items that act on the selected rows and are greyed while nothing is selected.
bool contextItemNeedsSelection(int commandId);

// The value every selected layer shares, for the check mark of the context menu's sub-menus; nothing
// when nothing is selected or the values differ.
std::optional<unsigned> sharedValue(std::span<const unsigned> values);

}  // namespace plazor
