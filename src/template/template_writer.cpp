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
        b.addNumber(root, key::kBackgroundType, kPictureBackground);
        b.addText(root, key::kBackgroundPath, background.picturePath);
        b.addNumber(root, key::kDpi, background.dpi);
        return;
    }
    b.addNumber(root, key::kBackgroundType, kColourBackground);
    b.addText(root, key::kWidth, std::to_string(background.width));
    b.addText(root, key::kHeight, std::to_string(background.height));
    b.addText(root, key::kSzWidth, background.szWidth);
    b.addText(root, key::kSzHeight, background.szHeight);
    b.addNumber(root, key::kUnit, background.unit);
    b.addNumber(root, key::kDpi, background.dpi);
    b.addText(root, key::kBackgroundColor, colourChoiceText(background.colourChoice));
    if (background.colourChoice == kColourCustom) {
        b.addNumber(root, key::kBackgroundColorValue, background.colour & 0xFFFFFFu);
    }
}

cJSON* pasteLayerObject(TreeBuilder& b, const PasteLayer& layer) {
    cJSON* item = cJSON_CreateObject();
    b.addNumber(item, key::kX, layer.x);
    b.addNumber(item, key::kY, layer.y);
    b.addNumber(item, key::kWidth, layer.width);
    b.addNumber(item, key::kHeight, layer.height);
    b.addNumber(item, key::kLayerLevel, layer.level);
    b.addNumber(item, key::kOverflowStyle, layer.overflowStyle);
    if (layer.overflowStyle == kCustom) {
        cJSON* customize = cJSON_CreateObject();
        b.addNumber(customize, key::kWidth, layer.customize.width);
        b.addNumber(customize, key::kHeight, layer.customize.height);
        b.addNumber(customize, key::kHorizontalPosition, layer.customize.horizontalPosition);
        b.addNumber(customize, key::kLeft, layer.customize.left);
        b.addNumber(customize, key::kVerticalPosition, layer.customize.verticalPosition);
        b.addNumber(customize, key::kTop, layer.customize.top);
        b.add(item, key::kCustomize, customize);
    }
    return item;
}

void addOutput(TreeBuilder& b, cJSON* root, const Settings& settings) {
    if (settings.format == kFormatPng) {
        b.addText(root, key::kFormat, kFormatPngText);
        b.addFlag(root, key::kTransparentOpen, settings.transparent);
        b.addFlag(root, key::kIsSaveToPng8, settings.png8);
        b.addNumber(root, key::kColorCount, settings.png8 ? settings.colourCount : kDefaultColourCount);
    } else {
        b.addText(root, key::kFormat, kFormatJpgText);
        b.addNumber(root, key::kQuality, settings.quality);
        b.addText(root, key::kColorspace, colourSpaceName(settings.colourSpace));
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
    b.addFlag(r, key::kPicturesShowSelectArea, settings.picturesShowSelectArea);
    b.addFlag(r, key::kPicturesShowPicture, settings.picturesShowPicture);
    cJSON* pictures = b.addArray(r, key::kPictureItems);
    for (const PasteLayer& layer : document.pasteLayers)
        b.append(pictures, pasteLayerObject(b, layer));

    b.addFlag(r, key::kWatermarkOpen, settings.watermarkOpen);
    b.addFlag(r, key::kWatermarkShowSelectArea, settings.watermarkShowSelectArea);
    cJSON* watermarks = b.addArray(r, key::kWatermarkItems);
    for (const WatermarkLayer& layer : document.watermarks) {
        cJSON* item = cJSON_CreateObject();
        b.addNumber(item, key::kX, layer.x);
        b.addNumber(item, key::kY, layer.y);
        b.addText(item, key::kPath, layer.path);
        b.append(watermarks, item);
    }

    b.addFlag(r, key::kCutlineOpen, settings.cutlineOpen);
    b.addFlag(r, key::kCutlineHtmlOpen, settings.cutlineHtmlOpen);
    cJSON* cutlines = b.addArray(r, key::kCutlineItems);
    for (const Slice& slice : document.slices) {
        cJSON* item = cJSON_CreateObject();
        b.addNumber(item, key::kY, slice.y);
        b.append(cutlines, item);
    }

    addOutput(b, r, settings);
    if (!b.complete()) return fail(kOutOfMemoryText);

    const CJsonText text(cJSON_Print(r));
    if (!text) return fail(kOutOfMemoryText);
    return std::string(text.get());
}

}  // namespace plazor
