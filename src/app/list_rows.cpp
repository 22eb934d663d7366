#include "app/list_rows.h"

#include "template/names.h"

namespace plazor {

std::vector<std::string> pasteRowTexts(const PasteLayer& layer) {
    if (!layer.isPlaced()) return insertedPasteRowTexts(layer);
    return {std::to_string(layer.number),          std::to_string(layer.x),      std::to_string(layer.y),
            std::to_string(layer.width),           std::to_string(layer.height), layerLevelName(layer.level),
            overflowStyleName(layer.overflowStyle)};
}

std::vector<std::string> insertedPasteRowTexts(const PasteLayer& layer) {
    return {std::to_string(layer.number),          "", "", "", "", layerLevelName(layer.level),
            overflowStyleName(layer.overflowStyle)};
}

std::vector<std::string> watermarkRowTexts(const WatermarkLayer& layer) {
    // A watermark whose rectangle was never drawn is marked by x -1, like a paste layer.
    if (layer.x == -1) return {std::to_string(layer.number), "", "", "", "", ""};
    return {std::to_string(layer.number), std::to_string(layer.x),      std::to_string(layer.y),
            std::to_string(layer.width),  std::to_string(layer.height), layer.path};
}

std::vector<std::string> sliceRowTexts(const Slice& slice) {
    return {std::to_string(slice.number), slice.y == -1 ? "" : std::to_string(slice.y)};
}

}  // namespace plazor
