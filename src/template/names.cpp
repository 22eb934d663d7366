#include "template/names.h"

#include "template/document.h"

namespace plazor {
namespace {

constexpr std::array<const char*, 6> kStyleNames = {"等比例缩小", "填充式缩放", "裁剪左上角",
                                                    "裁剪正中间", "等比例缩放", "自定义"};
constexpr std::array<const char*, 2> kLevelNames = {"背景上方", "背景下方"};
constexpr std::array<const char*, 4> kUnitNames = {"像素", "厘米", "毫米", "英寸"};

}  // namespace

std::string pasteLayerName(int number) {
    return "贴图层#" + std::to_string(number);
}
std::string watermarkLayerName(int number) {
    return "水印层#" + std::to_string(number);
}
std::string sliceName(int number) {
    return "横切片#" + std::to_string(number);
}

std::string layerLevelName(unsigned level) {
    return level < kLevelNames.size() ? kLevelNames[level] : "";
}

std::string overflowStyleName(unsigned style) {
    return style < kStyleNames.size() ? kStyleNames[style] : "";
}

std::string unitName(int unit) {
    return unit >= 0 && unit < static_cast<int>(kUnitNames.size())
               ? kUnitNames[static_cast<std::size_t>(unit)]
               : "";
}

std::string colourSpaceName(int space) {
    return space >= 0 && space < static_cast<int>(kColourSpaceNames.size())
               ? kColourSpaceNames[static_cast<std::size_t>(space)]
               : kColourSpaceNames[kSpaceSRGB];
}

int colourSpaceFromName(std::string_view name) {
    for (std::size_t i = 0; i < kColourSpaceNames.size(); ++i) {
        if (name == kColourSpaceNames[i]) return static_cast<int>(i);
    }
    return kSpaceSRGB;
}

unsigned overflowStyleAtListPosition(int position) {
    if (position < 0 || position >= static_cast<int>(kOverflowStyleListOrder.size())) return 0;
    return kOverflowStyleListOrder[static_cast<std::size_t>(position)];
}

int listPositionOfOverflowStyle(unsigned style) {
    for (std::size_t i = 0; i < kOverflowStyleListOrder.size(); ++i) {
        if (kOverflowStyleListOrder[i] == style) return static_cast<int>(i);
    }
    return 0;
}

}  // namespace plazor
