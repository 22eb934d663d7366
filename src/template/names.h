// The names under which the program shows layers, levels, styles and units, and the order in which
// drop-down lists offer the overflow styles.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace plazor {

std::string pasteLayerName(int number);      // "贴图层#%d"
std::string watermarkLayerName(int number);  // "水印层#%d"
std::string sliceName(int number);           // "横切片#%d"

// "背景上方" / "背景下方"; empty for an unknown level.
std::string layerLevelName(unsigned level);
// "等比例缩小", "填充式缩放", ...; empty for an unknown style.
std::string overflowStyleName(unsigned style);
// "像素", "厘米", "毫米", "英寸"
std::string unitName(int unit);

// The JPG colour space list, in list order (index = ColourSpace).
inline constexpr std::array<const char*, 4> kColourSpaceNames = {"sRGB", "RGB", "CMYK", "灰色"};
// "sRGB" for an unknown colour space.
std::string colourSpaceName(int space);
// The colour space whose name is exactly `name`; sRGB for any other text.
int colourSpaceFromName(std::string_view name);

// Drop-down lists show the styles in this order of values.
inline constexpr std::array<unsigned, 6> kOverflowStyleListOrder = {0, 4, 1, 2, 3, 5};
unsigned overflowStyleAtListPosition(int position);  // an unknown position gives style 0
int listPositionOfOverflowStyle(unsigned style);     // an unknown style gives position 0

}  // namespace plazor
