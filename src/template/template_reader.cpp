// Applying template file bytes to the document: the members in the reader's order, stopping at the
// first required member that is missing. A member of the wrong type counts as missing. Numbers are
// clamped into the range the editor can produce; a kind (unit, layer level, overflow style, custom
// position) outside its list is refused, since no other kind could stand in for it.
#include <cjson/cJSON.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <filesystem>
#include <optional>
#include <system_error>

#include "template/background_picture.h"
#include "template/json_handles.h"
#include "template/names.h"
#include "template/template_file.h"
#include "template/template_file_texts.h"
#include "template/units.h"
#include "util/encoding.h"
#include "util/probe.h"

namespace plazor {
namespace {

// Layer coordinates beyond this cannot come from the editor; the bound keeps sums such as x + width
// far from overflowing.
constexpr int kMaxCoordinate = 1000000;
constexpr int kMaxColour = 0xFFFFFF;

const cJSON* member(const cJSON* object, const char* key) {
    return cJSON_GetObjectItemCaseSensitive(object, key);
}

bool isNumber(const cJSON* item) {
    return cJSON_IsNumber(item) && !std::isnan(item->valuedouble);
}

// The integer part of a number, clamped to lo..hi.
std::optional<int> clampedInt(const cJSON* item, int lo, int hi) {
    if (!isNumber(item)) return std::nullopt;
    return static_cast<int>(std::clamp(std::trunc(item->valuedouble), double(lo), double(hi)));
}

std::optional<int> coordinate(const cJSON* object, const char* key) {
    return clampedInt(member(object, key), -kMaxCoordinate, kMaxCoordinate);
}

// The integer part of a number that names one of the kinds first..last.
std::optional<int> kind(const cJSON* item, int first, int last) {
    if (!isNumber(item)) return std::nullopt;
    const double value = std::trunc(item->valuedouble);
    if (value < first || value > last) return std::nullopt;
    return static_cast<int>(value);
}

// Check boxes are on when the value is 1.
std::optional<bool> flag(const cJSON* item) {
    if (!isNumber(item)) return std::nullopt;
    return item->valuedouble == 1;
}

// Texts arrive as code-page-936 bytes.
std::optional<std::string> text(const cJSON* item) {
    if (!cJSON_IsString(item) || !item->valuestring) return std::nullopt;
    const std::string bytes = item->valuestring;
    return gbkToUtf8(bytes).value_or(bytes);
}

// Paths must read back exactly: bytes that are not code page 936 would be dropped by the conversion
// and the path would name another file, so such a path is refused.
std::optional<std::string> pathText(const cJSON* item) {
    if (!cJSON_IsString(item) || !item->valuestring) return std::nullopt;
    const std::string bytes = item->valuestring;
    auto utf8 = gbkToUtf8(bytes);
    if (!utf8 || utf8ToGbk(*utf8) != bytes) return std::nullopt;
    return utf8;
}

// True when the JSON text holds the escape of a NUL character: the parser ends the text there, so the
// rest of a path would silently be cut off.
bool holdsEscapedNul(std::string_view json) {
    for (std::size_t at = json.find("u0000"); at != std::string_view::npos; at = json.find("u0000", at + 1)) {
        std::size_t backslashes = 0;
        while (backslashes < at && json[at - 1 - backslashes] == '\\')
            ++backslashes;
        if (backslashes % 2 == 1) return true;
    }
    return false;
}

// Optional members: absent leaves `value` as it is; present, the member must read. `value` may itself
// be an optional, to tell afterwards whether the member was there.
template <typename T, typename Read>
bool readOptional(const cJSON* object, const char* key, T& value, Read read) {
    const cJSON* item = member(object, key);
    if (!item) return true;
    auto readValue = read(item);
    if (!readValue) return false;
    value = std::move(*readValue);
    return true;
}

std::optional<Customize> readCustomize(const cJSON* object) {
    if (!cJSON_IsObject(object)) return std::nullopt;
    const auto width = clampedInt(member(object, key::kWidth), 0, kMaxCoordinate);
    const auto height = clampedInt(member(object, key::kHeight), 0, kMaxCoordinate);
    const auto horizontal = kind(member(object, key::kHorizontalPosition), kPosStart, kPosValue);
    const auto left = coordinate(object, key::kLeft);
    const auto vertical = kind(member(object, key::kVerticalPosition), kPosStart, kPosValue);
    const auto top = coordinate(object, key::kTop);
    if (!width || !height || !horizontal || !left || !vertical || !top) return std::nullopt;
    return Customize{*width, *height, *horizontal, *left, *vertical, *top};
}

std::optional<PasteLayer> readPasteLayer(const cJSON* object) {
    if (!cJSON_IsObject(object)) return std::nullopt;
    const auto x = coordinate(object, key::kX);
    const auto y = coordinate(object, key::kY);
    const auto width = coordinate(object, key::kWidth);
    const auto height = coordinate(object, key::kHeight);
    const auto level = kind(member(object, key::kLayerLevel), kAboveBackground, kBelowBackground);
    const auto style = kind(member(object, key::kOverflowStyle), kShrinkToFit, kCustom);
    if (!x || !y || !width || !height || !level || !style) return std::nullopt;
    PasteLayer layer;
    layer.x = *x;
    layer.y = *y;
    layer.width = *width;
    layer.height = *height;
    layer.level = static_cast<unsigned>(*level);
    layer.overflowStyle = static_cast<unsigned>(*style);
    if (layer.overflowStyle == kCustom &&
        !readOptional(object, key::kCustomize, layer.customize, readCustomize)) {
        return std::nullopt;
    }
    return layer;
}

class TemplateReader {
  public:
    TemplateReader(Document& document, LoadReport& report) : doc_(document), report_(report) {}

    bool apply(const cJSON* root) {
        return cJSON_IsObject(root) && applyBackground(root) && applyPasteLayers(root) &&
               applyPictureSwitches(root) && applyWatermarks(root) &&
               applyFlag(root, key::kWatermarkShowSelectArea, doc_.settings.watermarkShowSelectArea) &&
               applyFlag(root, key::kWatermarkOpen, doc_.settings.watermarkOpen) && applySlices(root) &&
               applyFlag(root, key::kCutlineHtmlOpen, doc_.settings.cutlineHtmlOpen) &&
               applyFlag(root, key::kCutlineOpen, doc_.settings.cutlineOpen) && applyOutput(root);
    }

  private:
    bool applyFlag(const cJSON* object, const char* key, bool& value) {
        const auto on = flag(member(object, key));
        if (on) value = *on;
        return on.has_value();
    }

    bool applyBackground(const cJSON* root) {
        const auto type = clampedInt(member(root, key::kBackgroundType), INT_MIN, INT_MAX);
        if (!type) return false;
        return *type != kPictureBackground ? applyColourBackground(root) : applyPictureBackground(root);
    }

    // "dpi" is optional: without it the process dpi stays.
    bool applyDpi(const cJSON* root) {
        std::optional<int> dpi;
        const auto readDpi = [](const cJSON* item) { return clampedInt(item, kMinDpi, kMaxDpi); };
        if (!readOptional(root, key::kDpi, dpi, readDpi)) return false;
        if (dpi) {
            doc_.background.dpi = *dpi;
            report_.dpi = *dpi;
        }
        return true;
    }

    bool applyColourBackground(const cJSON* root) {
        Background& background = doc_.background;
        const auto unit = [](const cJSON* item) { return kind(item, kUnitPixels, kUnitInches); };
        if (!readOptional(root, key::kUnit, background.unit, unit) || !applyDpi(root)) return false;

        std::optional<std::string> shownWidth;
        std::optional<std::string> shownHeight;
        if (!readOptional(root, key::kSzWidth, shownWidth, text) ||
            !readOptional(root, key::kSzHeight, shownHeight, text)) {
            return false;
        }
        const auto width = text(member(root, key::kWidth));
        const auto height = text(member(root, key::kHeight));
        if (!width || !height) return false;
        // A stored pixel size not above 0 is shown as it is stored, whatever the shown size says: the
        // check before a run then refuses it, where the run would otherwise write 1-pixel pictures.
        background.szWidth = clipSizeText(leadingNumber(*width) > 0 ? shownWidth.value_or(*width) : *width);
        background.szHeight =
            clipSizeText(leadingNumber(*height) > 0 ? shownHeight.value_or(*height) : *height);
        // The pixel size is the one saved, so a template reads back exactly as it was written.
        background.width = pixelsFromTyped(*width, kUnitPixels, background.dpi);
        background.height = pixelsFromTyped(*height, kUnitPixels, background.dpi);

        const auto colour = text(member(root, key::kBackgroundColor));
        if (!colour) return false;
        if (*colour == kColourWhiteText) {
            background.colourChoice = kColourWhite;
            background.colour = 0xFFFFFF;
            background.transparent = 0;
        } else if (*colour == kColourTransparentText) {
            background.colourChoice = kColourTransparent;
            background.transparent = 1;
        } else {
            const auto value = clampedInt(member(root, key::kBackgroundColorValue), 0, kMaxColour);
            if (!value) return false;
            background.colourChoice = kColourCustom;
            background.colour = static_cast<std::uint32_t>(*value);
            background.transparent = 0;
        }
        background.kind = kColourBackground;
        return true;
    }

    bool applyPictureBackground(const cJSON* root) {
        const auto path = pathText(member(root, key::kBackgroundPath));
        if (!path) return false;
        Background& background = doc_.background;
        background.kind = kPictureBackground;
        background.picturePath = *path;
        std::error_code ec;
        if (std::filesystem::exists(*path, ec)) {
            if (!loadBackgroundPicture(background, *path)) {
                report_.infoLines.push_back(spacedLine(background.pictureProblem));
            }
        } else {
            report_.infoLines.push_back(spacedLine("背景图片 '" + *path + "' 已不存在"));
            useBackgroundPlaceholder(background);
        }
        return applyDpi(root);
    }

    bool applyPasteLayers(const cJSON* root) {
        const cJSON* items = member(root, key::kPictureItems);
        if (!cJSON_IsArray(items)) return false;
        const cJSON* element = nullptr;
        cJSON_ArrayForEach(element, items) {
            const auto read = readPasteLayer(element);
            if (!read) return false;
            PasteLayer& layer = doc_.addPasteLayer(read->level, read->overflowStyle);
            layer.x = read->x;
            layer.y = read->y;
            layer.width = read->width;
            layer.height = read->height;
            layer.customize = read->customize;
            if (doc_.pasteLayers.size() == 1) {
                layer.selected = true;
                report_.currentPasteLayer = 0;
            }
        }
        return true;
    }

    bool applyPictureSwitches(const cJSON* root) {
        bool showPicture = true;
        if (!applyFlag(root, key::kPicturesShowSelectArea, doc_.settings.picturesShowSelectArea) ||
            !applyFlag(root, key::kPicturesShowPicture, showPicture)) {
            return false;
        }
        doc_.setPicturesShowPicture(showPicture);
        return true;
    }

    bool applyWatermarks(const cJSON* root) {
        const cJSON* items = member(root, key::kWatermarkItems);
        if (!cJSON_IsArray(items)) return false;
        const cJSON* element = nullptr;
        cJSON_ArrayForEach(element, items) {
            if (!cJSON_IsObject(element)) return false;
            const auto x = coordinate(element, key::kX);
            const auto y = coordinate(element, key::kY);
            const auto path = pathText(member(element, key::kPath));
            if (!x || !y || !path) return false;
            // The layer stays even when its picture is missing or invalid, so that saving keeps it.
            measureWatermark(doc_.addWatermark(*path, *x, *y));
        }
        return true;
    }

    void measureWatermark(WatermarkLayer& layer) {
        std::error_code ec;
        const auto status = std::filesystem::status(layer.path, ec);
        if (!std::filesystem::exists(status)) {
            report_.infoLines.push_back(spacedLine("水印层#" + std::to_string(layer.number) + " 的图片 '" +
                                                   layer.path + "' 已不存在"));
            return;
        }
        // Only regular files are probed: opening a pipe would block the window.
        const auto probe = std::filesystem::is_regular_file(status) ? probePicture(layer.path)
                                                                    : std::optional<ProbeResult>();
        if (!probe || !isAcceptedPictureFormat(*probe)) {
            report_.infoLines.push_back(spacedLine("水印层#" + std::to_string(layer.number) + " 的图片 '" +
                                                   layer.path + "' 不是一个有效的图片"));
            return;
        }
        layer.width = probe->width;
        layer.height = probe->height;
    }

    bool applySlices(const cJSON* root) {
        const cJSON* items = member(root, key::kCutlineItems);
        if (!cJSON_IsArray(items)) return false;
        const cJSON* element = nullptr;
        cJSON_ArrayForEach(element, items) {
            const auto y = cJSON_IsObject(element) ? coordinate(element, key::kY) : std::nullopt;
            if (!y) return false;
            doc_.addSlice(*y);
        }
        // A list out of order would cut strips of no height; the editor keeps it ascending too.
        std::vector<int> ys;
        for (const Slice& slice : doc_.slices)
            ys.push_back(slice.y);
        std::sort(ys.begin(), ys.end());
        for (std::size_t i = 0; i < ys.size(); ++i)
            doc_.slices[i].y = ys[i];
        return true;
    }

    bool applyOutput(const cJSON* root) {
        const auto format = text(member(root, key::kFormat));
        if (!format) return false;
        Settings& settings = doc_.settings;
        if (*format == kFormatJpgText) {
            settings.format = kFormatJpg;
            const auto quality = clampedInt(member(root, key::kQuality), kMinQuality, kMaxQuality);
            if (!quality) return false;
            settings.quality = *quality;
            std::string space = colourSpaceName(kSpaceSRGB);
            if (!readOptional(root, key::kColorspace, space, text)) return false;
            settings.colourSpace = colourSpaceFromName(space);
            return true;
        }
        settings.format = kFormatPng;
        if (!applyFlag(root, key::kTransparentOpen, settings.transparent)) return false;
        settings.png8 = false;
        settings.colourCount = kDefaultColourCount;
        const auto count = [](const cJSON* item) { return clampedInt(item, INT_MIN, INT_MAX); };
        return readOptional(root, key::kIsSaveToPng8, settings.png8, flag) &&
               readOptional(root, key::kColorCount, settings.colourCount, count);
    }

    Document& doc_;
    LoadReport& report_;
};

}  // namespace

LoadOutcome applyTemplate(Document& document, std::string_view bytes) {
    document.resetToNew();
    LoadReport report;
    const CJsonPtr root(holdsEscapedNul(bytes) ? nullptr : cJSON_ParseWithLength(bytes.data(), bytes.size()));
    if (!TemplateReader(document, report).apply(root.get())) {
        return fail(LoadFailure{kBadFormatText, std::move(report)});
    }
    return report;
}

}  // namespace plazor
