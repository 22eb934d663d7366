// Cell texts of the three layer lists, one row per layer. A layer not placed yet shows its number and
// empty geometry cells.
#pragma once

#include "template/document.h"

#include <string>
#include <vector>

namespace plazor {

// "编号", "x", "y", "宽", "高", "层次", "溢出样式"
std::vector<std::string> pasteRowTexts(const PasteLayer& layer);
// "编号", "x", "y", "宽", "高", "图片路径"
std::vector<std::string> watermarkRowTexts(const WatermarkLayer& layer);
// "编号", "y"
std::vector<std::string> sliceRowTexts(const Slice& slice);

// The cells an inserted paste row shows before its first full update: number, level and style.
std::vector<std::string> insertedPasteRowTexts(const PasteLayer& layer);

}  // namespace plazor
