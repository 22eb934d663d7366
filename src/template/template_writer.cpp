// The bytes of the template file: cJSON's formatted print of the members in the writer's order.
#include <new>

#include "template/json_handles.h"
#include "template/names.h"
#include "template/template_file.h"
#include "template/template_file_texts.h"
#include "util/encoding.h"

namespace plazor {
namespace {

void addNumber(cJSON* object, const char* key, double value) {
    cJSON_AddItemToObject(object, key, cJSON_CreateNumber(value));
}

void addFlag(cJSON* object, const char* key, bool on) {
    addNumber(object, key, on ? 1 : 0);
}

// Texts leave the program as code-page-936 bytes; cJSON escapes only what JSON requires and passes
// bytes from 0x80 up through unchanged.
void addText(cJSON* object, const char* key, const std::string& utf8) {
    cJSON_AddItemToObject(object, key, cJSON_CreateString(utf8ToGbk(utf8).value_or(utf8).c_str()));
}

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

void addBackground(cJSON* root, const Background& background) {
    if (background.kind == kPictureBackground) {
        addNumber(root, "background_type", kPictureBackground);
        addText(root, "background_path", background.picturePath);
        addNumber(root, "dpi", background.dpi);
        return;
    }
    addNumber(root, "background_type", kColourBackground);
    addText(root, "width", std::to_string(background.width));
    addText(root, "height", std::to_string(background.height));
    addText(root, "szWidth", background.szWidth);
    addText(root, "szHeight", background.szHeight);
    addNumber(root, "unit", background.unit);
    addNumber(root, "dpi", background.dpi);
    addText(root, "background_color", colourChoiceText(background.colourChoice));
    if (background.colourChoice == kColourCustom) {
        addNumber(root, "background_color_value", background.colour & 0xFFFFFFu);
    }
}

cJSON* pasteLayerObject(const PasteLayer& layer) {
    cJSON* item = cJSON_CreateObject();
    addNumber(item, "x", layer.x);
    addNumber(item, "y", layer.y);
    addNumber(item, "width", layer.width);
    addNumber(item, "height", layer.height);
    addNumber(item, "layer_level", layer.level);
    addNumber(item, "overflow_style", layer.overflowStyle);
    if (layer.overflowStyle == kCustom) {
        cJSON* customize = cJSON_CreateObject();
        addNumber(customize, "width", layer.customize.width);
        addNumber(customize, "height", layer.customize.height);
        addNumber(customize, "horizontalPosition", layer.customize.horizontalPosition);
        addNumber(customize, "left", layer.customize.left);
        addNumber(customize, "verticalPosition", layer.customize.verticalPosition);
        addNumber(customize, "top", layer.customize.top);
        cJSON_AddItemToObject(item, "customize", customize);
    }
    return item;
}

void addOutput(cJSON* root, const Settings& settings) {
    if (settings.format == kFormatPng) {
        addText(root, "format", kFormatPngText);
        addFlag(root, "transparent_open", settings.transparent);
        addFlag(root, "isSaveToPng8", settings.png8);
        addNumber(root, "colorCount", settings.png8 ? settings.colourCount : kDefaultColourCount);
    } else {
        addText(root, "format", kFormatJpgText);
        addNumber(root, "quality", settings.quality);
        addText(root, "colorspace", colourSpaceName(settings.colourSpace));
    }
}

}  // namespace

std::string serialiseTemplate(const Document& document) {
    const CJsonPtr root(cJSON_CreateObject());
    if (!root) throw std::bad_alloc();
    cJSON* r = root.get();
    addBackground(r, document.background);

    const Settings& settings = document.settings;
    addFlag(r, "pictures_show_select_area", settings.picturesShowSelectArea);
    addFlag(r, "pictures_show_picture", settings.picturesShowPicture);
    cJSON* pictures = cJSON_AddArrayToObject(r, "picture_items");
    for (const PasteLayer& layer : document.pasteLayers)
        cJSON_AddItemToArray(pictures, pasteLayerObject(layer));

    addFlag(r, "watermark_open", settings.watermarkOpen);
    addFlag(r, "watermark_show_select_area", settings.watermarkShowSelectArea);
    cJSON* watermarks = cJSON_AddArrayToObject(r, "watermark_items");
    for (const WatermarkLayer& layer : document.watermarks) {
        cJSON* item = cJSON_CreateObject();
        addNumber(item, "x", layer.x);
        addNumber(item, "y", layer.y);
        addText(item, "path", layer.path);
        cJSON_AddItemToArray(watermarks, item);
    }

    addFlag(r, "cutline_open", settings.cutlineOpen);
    addFlag(r, "cutline_html_open", settings.cutlineHtmlOpen);
    cJSON* cutlines = cJSON_AddArrayToObject(r, "cutline_items");
    for (const Slice& slice : document.slices) {
        cJSON* item = cJSON_CreateObject();
        addNumber(item, "y", slice.y);
        cJSON_AddItemToArray(cutlines, item);
    }

    addOutput(r, settings);

    const CJsonText text(cJSON_Print(r));
    // cJSON leaves out what it could not allocate; a text written from such a tree would lose data.
    if (!text) throw std::bad_alloc();
    return std::string(text.get());
}

}  // namespace plazor
