#include "app/commands/step_labels.h"

#include <vector>

#include "app/command_ids.h"
#include "template/document.h"
#include "template/names.h"

namespace plazor {
namespace {

// "贴图层#2" for one layer, "3个贴图层" for several.
std::string pasteLayersName(const Document& doc) {
    std::vector<int> numbers;
    for (const PasteLayer& layer : doc.pasteLayers) {
        if (layer.selected) numbers.push_back(layer.number);
    }
    if (numbers.size() == 1) return pasteLayerName(numbers.front());
    return std::to_string(numbers.size()) + "个贴图层";
}

// The current layer of `kind` by its name, or the bare kind when there is none.
std::string currentName(const CurrentLayer& current, LayerKind kind) {
    const bool held = current.is(kind);
    const int number = current.index + 1;
    switch (kind) {
        case LayerKind::Paste:
            return held ? pasteLayerName(number) : "贴图层";
        case LayerKind::Watermark:
            return held ? watermarkLayerName(number) : "水印层";
        default:
            return held ? sliceName(number) : "横切片";
    }
}

}  // namespace

std::string commandStepLabel(int id, const Document& doc, const CurrentLayer& current) {
    if (id >= cmd::kCurrentStyleFirst && id <= cmd::kCurrentStyleLast)
        return "修改" + currentName(current, LayerKind::Paste) + "的溢出样式";
    if (id >= cmd::kSelectedStyleFirst && id <= cmd::kSelectedStyleLast)
        return "修改" + pasteLayersName(doc) + "的溢出样式";
    if (id >= cmd::kDpiCustom && id <= cmd::kDpiLastFixed) return "修改DPI";
    switch (id) {
        case cmd::kPasteNew:
            return "新建贴图层";
        case cmd::kPasteInsert:
            return "插入贴图层";
        case cmd::kPasteEdit:
            return "编辑" + currentName(current, LayerKind::Paste);
        case cmd::kPasteCopy:
            return "复制" + pasteLayersName(doc);
        case cmd::kPasteDelete:
            return "删除" + pasteLayersName(doc);
        case cmd::kPasteMultiGrid:
            return "添加多宫格";
        case cmd::kPasteHeart:
            return "添加心型图";
        case cmd::kWatermarkNew:
            return "新建水印层";
        case cmd::kWatermarkInsert:
            return "插入水印层";
        case cmd::kWatermarkEdit:
            return "编辑" + currentName(current, LayerKind::Watermark);
        case cmd::kWatermarkChangePicture:
            return "更换" + currentName(current, LayerKind::Watermark) + "的图片";
        case cmd::kWatermarkDelete:
            return "删除" + currentName(current, LayerKind::Watermark);
        case cmd::kSliceNew:
            return "新建横切片";
        case cmd::kSliceEdit:
            return "编辑" + currentName(current, LayerKind::Slice);
        case cmd::kSliceDelete:
            return "删除" + currentName(current, LayerKind::Slice);
        case cmd::kRefresh:
            return "刷新";
        case cmd::kCurrentLevelAbove:
        case cmd::kCurrentLevelBelow:
            return "修改" + currentName(current, LayerKind::Paste) + "的层次";
        case cmd::kSelectedLevelAbove:
        case cmd::kSelectedLevelBelow:
            return "修改" + pasteLayersName(doc) + "的层次";
        case ctl::kPictureOption:
            return "使用背景图片";
        case ctl::kCustomOption:
            return "使用自定义背景";
        case ctl::kChooseBackground:
            return "更换背景图片";
        case ctl::kBackgroundWidth:
        case ctl::kBackgroundHeight:
            return "修改背景尺寸";
        case ctl::kUnitList:
            return "修改尺寸单位";
        case ctl::kColourList:
        case ctl::kSwatch:
            return "修改背景色";
        case ctl::kPasteShowAreas:
            return "切换贴图层显示选区";
        case ctl::kShowPictures:
            return "切换贴图层显示图片";
        case ctl::kWatermarksOn:
            return "切换水印层";
        case ctl::kWatermarkShowAreas:
            return "切换水印层显示选区";
        case ctl::kSlicesOn:
            return "切换横切片";
        case ctl::kSliceHtml:
            return "切换生成HTML代码";
        case ctl::kFormatList:
        case ctl::kTransparency:
        case ctl::kPng8:
        case ctl::kColourCount:
        case ctl::kQualitySlider:
            return "修改输出设置";
        default:
            return {};
    }
}

std::string customStyleStepLabel(int number) {
    return "修改" + pasteLayerName(number) + "的自定义样式";
}

std::string editStepLabel() {
    return "编辑模版";
}

}  // namespace plazor
