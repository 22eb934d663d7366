// The bytes of the template file: cJSON's formatted print of the members in the writer's order.
#include "template/json_handles.h"
#include "template/names.h"
#include "template/template_file.h"
#include "template/template_file_texts.h"
#include "util/encoding.h"

namespace plazor {
namespace {

// Builds the tree and remembers whether every member made it in: cJSON leaves out what it could not
// allocate, and a text printed from such a tree would lose data.
class TreeBuilder {
  public:
    bool complete() const { return complete_; }

    // Adds `item` (which may be null after a failed allocation) as `key` of `object`.
    void add(cJSON* object, const char* key, cJSON* item) {
        if (!item || !object || !cJSON_AddItemToObject(object, key, item)) {
            cJSON_Delete(item);
            complete_ = false;
        }
    }
    void append(cJSON* array, cJSON* item) {
        if (!item || !array || !cJSON_AddItemToArray(array, item)) {
            cJSON_Delete(item);
            complete_ = false;
        }
    }
    cJSON* addArray(cJSON* object, const char* key) {
        cJSON* array = cJSON_CreateArray();
        add(object, key, array);
        return complete_ ? array : nullptr;
    }

    void addNumber(cJSON* object, const char* key, double value) {
        add(object, key, cJSON_CreateNumber(value));
    }
    void addFlag(cJSON* object, const char* key, bool on) { addNumber(object, key, on ? 1 : 0); }
    // Texts leave the program as code-page-936 bytes; cJSON escapes only what JSON requires and passes
    // bytes from 0x80 up through unchanged.
    void addText(cJSON* object, const char* key, const std::string& utf8) {
        add(object, key, cJSON_CreateString(utf8ToGbk(utf8).value_or(utf8).c_str()));
    }

  private:
    bool complete_ = true;
};

const char* colourChoiceText(int choice) {
    switch (choice) {
        case kColourTransparent:
            return kColourTransparentText;
        case kColourCustom:
            return kColourCustomText;
        default:
            return kColourWhiteText;
    }
}

void addBackground(TreeBuilder& b, cJSON* root, const Background& background) {
    if (background.kind == kPictureBackground) {
        b.addNumber(root, "background_type", kPictureBackground);
        b.addText(root, "background_path", background.picturePath);
        b.addNumber(root, "dpi", background.dpi);
        return;
    }
    b.addNumber(root, "background_type", kColourBackground);
    b.addText(root, "width", std::to_string(background.width));
    b.addText(root, "height", std::to_string(background.height));
    b.addText(root, "szWidth", background.szWidth);
    b.addText(root, "szHeight", background.szHeight);
    b.addNumber(root, "unit", background.unit);
    b.addNumber(root, "dpi", background.dpi);
    b.addText(root, "background_color", colourChoiceText(background.colourChoice));
    if (background.colourChoice == kColourCustom) {
        b.addNumber(root, "background_color_value", background.colour & 0xFFFFFFu);
    }
}

cJSON* pasteLayerObject(TreeBuilder& b, const PasteLayer& layer) {
    cJSON* item = cJSON_CreateObject();
    b.addNumber(item, "x", layer.x);
    b.addNumber(item, "y", layer.y);
    b.addNumber(item, "width", layer.width);
    b.addNumber(item, "height", layer.height);
    b.addNumber(item, "layer_level", layer.level);
    b.addNumber(item, "overflow_style", layer.overflowStyle);
    if (layer.overflowStyle == kCustom) {
        cJSON* customize = cJSON_CreateObject();
        b.addNumber(customize, "width", layer.customize.width);
        b.addNumber(customize, "height", layer.customize.height);
        b.addNumber(customize, "horizontalPosition", layer.customize.horizontalPosition);
        b.addNumber(customize, "left", layer.customize.left);
        b.addNumber(customize, "verticalPosition", layer.customize.verticalPosition);
        b.addNumber(customize, "top", layer.customize.top);
        b.add(item, "customize", customize);
    }
    return item;
}

void addOutput(TreeBuilder& b, cJSON* root, const Settings& settings) {
    if (settings.format == kFormatPng) {
        b.addText(root, "format", kFormatPngText);
        b.addFlag(root, "transparent_open", settings.transparent);
        b.addFlag(root, "isSaveToPng8", settings.png8);
        b.addNumber(root, "colorCount", settings.png8 ? settings.colourCount : kDefaultColourCount);
    } else {
        b.addText(root, "format", kFormatJpgText);
        b.addNumber(root, "quality", settings.quality);
        b.addText(root, "colorspace", colourSpaceName(settings.colourSpace));
    }
}

}  // namespace

Outcome<std::string> serialiseTemplate(const Document& document) {
    const CJsonPtr root(cJSON_CreateObject());
    if (!root) return fail(kOutOfMemoryText);
    cJSON* r = root.get();
    TreeBuilder b;
    addBackground(b, r, document.background);

    const Settings& settings = document.settings;
    b.addFlag(r, "pictures_show_select_area", settings.picturesShowSelectArea);
    b.addFlag(r, "pictures_show_picture", settings.picturesShowPicture);
    cJSON* pictures = b.addArray(r, "picture_items");
    for (const PasteLayer& layer : document.pasteLayers)
        b.append(pictures, pasteLayerObject(b, layer));

    b.addFlag(r, "watermark_open", settings.watermarkOpen);
    b.addFlag(r, "watermark_show_select_area", settings.watermarkShowSelectArea);
    cJSON* watermarks = b.addArray(r, "watermark_items");
    for (const WatermarkLayer& layer : document.watermarks) {
        cJSON* item = cJSON_CreateObject();
        b.addNumber(item, "x", layer.x);
        b.addNumber(item, "y", layer.y);
        b.addText(item, "path", layer.path);
        b.append(watermarks, item);
    }

    b.addFlag(r, "cutline_open", settings.cutlineOpen);
    b.addFlag(r, "cutline_html_open", settings.cutlineHtmlOpen);
    cJSON* cutlines = b.addArray(r, "cutline_items");
    for (const Slice& slice : document.slices) {
        cJSON* item = cJSON_CreateObject();
        b.addNumber(item, "y", slice.y);
        b.append(cutlines, item);
    }

    addOutput(b, r, settings);
    if (!b.complete()) return fail(kOutOfMemoryText);

    const CJsonText text(cJSON_Print(r));
    if (!text) return fail(kOutOfMemoryText);
    return std::string(text.get());
}

}  // namespace plazor
