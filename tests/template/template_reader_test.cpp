// Reading template files: every failure and its text, the order in which members are applied, the
// defaults of optional members and the guards against hostile values.
#include <gtest/gtest.h>

#include <cjson/cJSON.h>

#include <algorithm>
#include <limits>

#include "support/pictures.h"
#include "support/temp_dir.h"
#include "template/json_handles.h"
#include "template/template_file.h"
#include "template/units.h"

namespace plazor {
namespace {

using testing::TempDir;

// A colour background template with every optional member, two paste layers, one watermark (whose
// picture does not exist) and one slice.
const char* const kTemplate = R"({
	"background_type":	1,
	"width":	"1181",
	"height":	"600",
	"szWidth":	"10.00",
	"szHeight":	"5.08",
	"unit":	1,
	"dpi":	300,
	"background_color":	"other",
	"background_color_value":	255,
	"pictures_show_select_area":	0,
	"pictures_show_picture":	1,
	"picture_items":	[{
			"x":	1,
			"y":	2,
			"width":	3,
			"height":	4,
			"layer_level":	1,
			"overflow_style":	5,
			"customize":	{
				"width":	10,
				"height":	20,
				"horizontalPosition":	3,
				"left":	-4,
				"verticalPosition":	2,
				"top":	7
			}
		}, {
			"x":	-1,
			"y":	-1,
			"width":	-1,
			"height":	-1,
			"layer_level":	0,
			"overflow_style":	4
		}],
	"watermark_open":	1,
	"watermark_show_select_area":	0,
	"watermark_items":	[{
			"x":	5,
			"y":	6,
			"path":	"/no/such/mark.png"
		}],
	"cutline_open":	0,
	"cutline_html_open":	1,
	"cutline_items":	[{
			"y":	300
		}],
	"format":	"JPG",
	"quality":	75,
	"colorspace":	"CMYK"
})";

// kTemplate edited through cJSON: `edit` changes the tree before it is printed again.
template <typename Edit>
std::string edited(Edit edit, const char* base = kTemplate) {
    CJsonPtr root(cJSON_Parse(base));
    edit(root.get());
    return CJsonText(cJSON_Print(root.get())).get();
}

std::string without(const char* key) {
    return edited([key](cJSON* root) { cJSON_DeleteItemFromObjectCaseSensitive(root, key); });
}

std::string withNumber(const char* key, double value) {
    return edited(
        [=](cJSON* root) { cJSON_ReplaceItemInObjectCaseSensitive(root, key, cJSON_CreateNumber(value)); });
}

std::string withText(const char* key, const char* value) {
    return edited(
        [=](cJSON* root) { cJSON_ReplaceItemInObjectCaseSensitive(root, key, cJSON_CreateString(value)); });
}

// The first element of the array `array`, edited by `edit`.
template <typename Edit>
std::string withFirstElement(const char* array, Edit edit) {
    return edited(
        [&](cJSON* root) { edit(cJSON_GetArrayItem(cJSON_GetObjectItemCaseSensitive(root, array), 0)); });
}

std::string pngTemplate() {
    return edited([](cJSON* root) {
        cJSON_ReplaceItemInObjectCaseSensitive(root, "format", cJSON_CreateString("PNG"));
        cJSON_DeleteItemFromObjectCaseSensitive(root, "quality");
        cJSON_DeleteItemFromObjectCaseSensitive(root, "colorspace");
        cJSON_AddNumberToObject(root, "transparent_open", 0);
    });
}

// The error box text of a load, empty when it succeeded.
std::string loadError(const LoadOutcome& loaded) {
    return loaded.ok() ? std::string() : loaded.error().text;
}

TEST(TemplateReader, AppliesEveryMember) {
    Document doc;
    const LoadOutcome result = applyTemplate(doc, kTemplate);
    ASSERT_TRUE(result.ok()) << loadError(result);
    EXPECT_EQ(result->dpi, 300);
    EXPECT_EQ(result->currentPasteLayer, std::optional<std::size_t>(0));

    const Background& bg = doc.background;
    EXPECT_EQ(bg.kind, kColourBackground);
    EXPECT_EQ(bg.width, 1181);
    EXPECT_EQ(bg.height, 600);
    EXPECT_EQ(bg.szWidth, "10.00");
    EXPECT_EQ(bg.szHeight, "5.08");
    EXPECT_EQ(bg.unit, kUnitCentimetres);
    EXPECT_EQ(bg.dpi, 300);
    EXPECT_EQ(bg.colourChoice, kColourCustom);
    EXPECT_EQ(bg.colour, 255u);

    ASSERT_EQ(doc.pasteLayers.size(), 2u);
    const PasteLayer& first = doc.pasteLayers[0];
    EXPECT_EQ(first.number, 1);
    EXPECT_TRUE(first.selected);
    EXPECT_EQ(first.x, 1);
    EXPECT_EQ(first.height, 4);
    EXPECT_EQ(first.level, kBelowBackground);
    EXPECT_EQ(first.overflowStyle, kCustom);
    EXPECT_EQ(first.customize, (Customize{10, 20, kPosValue, -4, kPosEnd, 7}));
    EXPECT_EQ(doc.pasteLayers[1].number, 2);
    EXPECT_FALSE(doc.pasteLayers[1].selected);
    EXPECT_FALSE(doc.pasteLayers[1].isPlaced());
    EXPECT_EQ(doc.pasteLayers[1].overflowStyle, kScaleToFit);

    ASSERT_EQ(doc.watermarks.size(), 1u);
    EXPECT_EQ(doc.watermarks[0].x, 5);
    ASSERT_EQ(doc.slices.size(), 1u);
    EXPECT_EQ(doc.slices[0].y, 300);

    const Settings& s = doc.settings;
    EXPECT_FALSE(s.picturesShowSelectArea);
    EXPECT_TRUE(s.picturesShowPicture);
    EXPECT_TRUE(s.watermarkOpen);
    EXPECT_FALSE(s.watermarkShowSelectArea);
    EXPECT_FALSE(s.cutlineOpen);
    EXPECT_TRUE(s.cutlineHtmlOpen);
    EXPECT_EQ(s.format, kFormatJpg);
    EXPECT_EQ(s.quality, 75);
    EXPECT_EQ(s.colourSpace, kSpaceCMYK);
    EXPECT_TRUE(doc.currentPath.empty());
}

TEST(TemplateReader, FileFailuresAndTheirTexts) {
    TempDir dir;
    testing::writeFile(dir / "empty.dat", "");
    testing::writeFile(dir / "text.dat", "not json");
    testing::writeFile(dir / "array.dat", "[1, 2]");
    struct Case {
        std::string path;
        const char* text;
    };
    const Case cases[] = {
        {dir / "missing.dat", "读取文件时出错, 无法打开文件句柄"},
        {dir.str(), "读取文件时出错, 无法打开文件句柄"},
        {dir / "empty.dat", "读取文件时出错"},
        {dir / "text.dat", "文件格式不对！"},
        {dir / "array.dat", "文件格式不对！"},
    };
    for (const auto& c : cases) {
        Document doc;
        doc.currentPath = "/old.dat";
        doc.addPasteLayer(kAboveBackground, kShrinkToFit);
        EXPECT_EQ(loadError(loadTemplate(doc, c.path)), c.text) << c.path;
        // The template was reset before reading, and a failed load leaves no path.
        EXPECT_TRUE(doc.pasteLayers.empty()) << c.path;
        EXPECT_TRUE(doc.currentPath.empty()) << c.path;
    }
}

TEST(TemplateReader, EveryMissingRequiredMemberIsAFormatError) {
    for (const char* key : {"background_type", "width", "height", "background_color", "picture_items",
                            "pictures_show_select_area", "pictures_show_picture", "watermark_items",
                            "watermark_show_select_area", "watermark_open", "cutline_items",
                            "cutline_html_open", "cutline_open", "format", "quality"}) {
        Document doc;
        EXPECT_EQ(loadError(applyTemplate(doc, without(key))), "文件格式不对！") << key;
    }
    Document doc;
    EXPECT_EQ(loadError(applyTemplate(doc, without("background_color_value"))), kBadFormatText);
    EXPECT_EQ(loadError(applyTemplate(
                  doc, edited([](cJSON* root) { cJSON_DeleteItemFromObject(root, "transparent_open"); },
                              pngTemplate().c_str()))),
              kBadFormatText);
}

TEST(TemplateReader, WhatWasAppliedBeforeTheFailureStays) {
    Document doc;
    EXPECT_EQ(loadError(applyTemplate(doc, without("watermark_items"))), kBadFormatText);
    EXPECT_EQ(doc.background.width, 1181);
    EXPECT_EQ(doc.pasteLayers.size(), 2u);
    EXPECT_FALSE(doc.settings.picturesShowSelectArea);
    EXPECT_TRUE(doc.watermarks.empty());
    EXPECT_TRUE(doc.slices.empty());
    EXPECT_EQ(doc.settings.quality, 90);  // the output members come later and were not reached
}

TEST(TemplateReader, ElementsLackingAMemberAreFormatErrors) {
    struct Case {
        const char* array;
        const char* key;
    };
    const Case cases[] = {
        {"picture_items", "x"},      {"picture_items", "y"},           {"picture_items", "width"},
        {"picture_items", "height"}, {"picture_items", "layer_level"}, {"picture_items", "overflow_style"},
        {"watermark_items", "x"},    {"watermark_items", "y"},         {"watermark_items", "path"},
        {"cutline_items", "y"},
    };
    for (const auto& c : cases) {
        Document doc;
        const std::string key = c.key;
        const auto text =
            withFirstElement(c.array, [&](cJSON* e) { cJSON_DeleteItemFromObject(e, key.c_str()); });
        EXPECT_EQ(loadError(applyTemplate(doc, text)), kBadFormatText) << c.array << " " << c.key;
    }
    // A "customize" that is present must be complete; a custom layer without one keeps zeros.
    Document doc;
    const auto partial = withFirstElement("picture_items", [](cJSON* e) {
        cJSON_DeleteItemFromObject(cJSON_GetObjectItem(e, "customize"), "top");
    });
    EXPECT_EQ(loadError(applyTemplate(doc, partial)), kBadFormatText);
    const auto none =
        withFirstElement("picture_items", [](cJSON* e) { cJSON_DeleteItemFromObject(e, "customize"); });
    ASSERT_TRUE(applyTemplate(doc, none).ok());
    EXPECT_EQ(doc.pasteLayers[0].customize, Customize{});
    // An element that is not an object.
    EXPECT_EQ(loadError(applyTemplate(doc, edited([](cJSON* root) {
                                          cJSON_AddItemToArray(cJSON_GetObjectItem(root, "cutline_items"),
                                                               cJSON_CreateNumber(4));
                                      }))),
              kBadFormatText);
}

TEST(TemplateReader, MembersOfTheWrongTypeAreFormatErrors) {
    Document doc;
    EXPECT_EQ(loadError(applyTemplate(doc, withNumber("width", 800))), kBadFormatText);
    EXPECT_EQ(loadError(applyTemplate(doc, withText("background_type", "1"))), kBadFormatText);
    EXPECT_EQ(loadError(applyTemplate(doc, withText("quality", "75"))), kBadFormatText);
    EXPECT_EQ(loadError(applyTemplate(doc, withNumber("szWidth", 10))),
              kBadFormatText);  // optional, but wrong
    EXPECT_EQ(loadError(applyTemplate(doc, withNumber("picture_items", 0))), kBadFormatText);
    EXPECT_EQ(loadError(applyTemplate(doc, withFirstElement("picture_items",
                                                            [](cJSON* e) {
                                                                cJSON_ReplaceItemInObject(
                                                                    e, "x", cJSON_CreateString("1"));
                                                            }))),
              kBadFormatText);
    EXPECT_EQ(loadError(applyTemplate(doc, edited([](cJSON* root) {
                                          cJSON_ReplaceItemInObject(root, "pictures_show_picture",
                                                                    cJSON_CreateTrue());
                                      }))),
              kBadFormatText);
}

TEST(TemplateReader, UnitsOutsideTheListAreRefused) {
    for (double unit : {-1.0, 4.0, 1e12}) {
        Document doc;
        EXPECT_EQ(loadError(applyTemplate(doc, withNumber("unit", unit))), kBadFormatText) << unit;
    }
    Document doc;
    ASSERT_TRUE(applyTemplate(doc, withNumber("unit", 3)).ok());
    EXPECT_EQ(doc.background.unit, kUnitInches);
    // So are levels and styles that name no kind.
    EXPECT_EQ(loadError(applyTemplate(doc, withFirstElement("picture_items",
                                                            [](cJSON* e) {
                                                                cJSON_ReplaceItemInObject(
                                                                    e, "overflow_style",
                                                                    cJSON_CreateNumber(6));
                                                            }))),
              kBadFormatText);
    EXPECT_EQ(loadError(applyTemplate(doc, withFirstElement("picture_items",
                                                            [](cJSON* e) {
                                                                cJSON_ReplaceItemInObject(
                                                                    e, "layer_level", cJSON_CreateNumber(-1));
                                                            }))),
              kBadFormatText);
}

TEST(TemplateReader, HostileNumbersAreClampedIntoUsableRanges) {
    Document doc;
    ASSERT_TRUE(applyTemplate(doc, withText("width", "-50")).ok());
    EXPECT_EQ(doc.background.width, 1);
    ASSERT_TRUE(applyTemplate(doc, withText("height", "99999999999999")).ok());
    EXPECT_EQ(doc.background.height, kMaxBackgroundSide);
    ASSERT_TRUE(applyTemplate(doc, withText("width", "abc")).ok());
    EXPECT_EQ(doc.background.width, 1);
    ASSERT_TRUE(applyTemplate(doc, withNumber("dpi", 0)).ok());
    EXPECT_EQ(doc.background.dpi, 1);
    ASSERT_TRUE(applyTemplate(doc, withNumber("dpi", 1e300)).ok());
    EXPECT_EQ(doc.background.dpi, 1200);
    ASSERT_TRUE(applyTemplate(doc, withNumber("quality", 500)).ok());
    EXPECT_EQ(doc.settings.quality, 100);
    ASSERT_TRUE(applyTemplate(doc, withNumber("background_color_value", -5)).ok());
    EXPECT_EQ(doc.background.colour, 0u);
    ASSERT_TRUE(applyTemplate(doc, withFirstElement(
                                       "picture_items",
                                       [](cJSON* e) {
                                           cJSON_ReplaceItemInObject(e, "x", cJSON_CreateNumber(1e300));
                                           cJSON_ReplaceItemInObject(e, "width", cJSON_CreateNumber(-1e300));
                                       }))
                    .ok());
    // Positive and negative as written, and small enough that x + width cannot overflow.
    EXPECT_GT(doc.pasteLayers[0].x, 0);
    EXPECT_LE(doc.pasteLayers[0].x, std::numeric_limits<int>::max() / 2);
    EXPECT_LT(doc.pasteLayers[0].width, 0);
    EXPECT_GE(doc.pasteLayers[0].width, std::numeric_limits<int>::min() / 2);
}

TEST(TemplateReader, OptionalMembersAndTheirDefaults) {
    Document doc;
    doc.background.dpi = 150;
    doc.settings.png8 = true;
    doc.settings.colourCount = 32;
    const auto noOptional = edited([](cJSON* root) {
        for (const char* key : {"szWidth", "szHeight", "unit", "dpi", "colorspace"}) {
            cJSON_DeleteItemFromObjectCaseSensitive(root, key);
        }
    });
    const LoadOutcome result = applyTemplate(doc, noOptional);
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(doc.background.szWidth, "1181");  // the width text stands in
    EXPECT_EQ(doc.background.szHeight, "600");
    EXPECT_EQ(doc.background.unit, kUnitPixels);
    EXPECT_EQ(doc.background.dpi, 150);  // the process dpi stays
    EXPECT_FALSE(result->dpi.has_value());
    EXPECT_EQ(doc.settings.colourSpace, kSpaceSRGB);

    ASSERT_TRUE(applyTemplate(doc, pngTemplate()).ok());
    EXPECT_EQ(doc.settings.format, kFormatPng);
    EXPECT_FALSE(doc.settings.png8);
    EXPECT_EQ(doc.settings.colourCount, 256);
    EXPECT_FALSE(doc.settings.transparent);

    // Any format text but "JPG" is PNG; an unknown colour space is sRGB.
    ASSERT_TRUE(applyTemplate(doc, withText("colorspace", "Lab")).ok());
    EXPECT_EQ(doc.settings.colourSpace, kSpaceSRGB);
    ASSERT_TRUE(applyTemplate(doc, withText("colorspace", "\xBB\xD2\xC9\xAB")).ok());  // 灰色
    EXPECT_EQ(doc.settings.colourSpace, kSpaceGrey);
    EXPECT_EQ(loadError(applyTemplate(doc, withText("format", "jpg"))),
              kBadFormatText);  // PNG, without its members
}

TEST(TemplateReader, BackgroundColourChoices) {
    Document doc;
    ASSERT_TRUE(applyTemplate(doc, withText("background_color", "#ffffff")).ok());
    EXPECT_EQ(doc.background.colourChoice, kColourWhite);
    EXPECT_EQ(doc.background.colour, 0xFFFFFFu);
    EXPECT_EQ(doc.background.transparent, 0);
    ASSERT_TRUE(applyTemplate(doc, withText("background_color", "none")).ok());
    EXPECT_EQ(doc.background.colourChoice, kColourTransparent);
    EXPECT_EQ(doc.background.transparent, 1);
    ASSERT_TRUE(applyTemplate(doc, withText("background_color", "#123456")).ok());
    EXPECT_EQ(doc.background.colourChoice, kColourCustom);
    EXPECT_EQ(doc.background.colour, 255u);
}

TEST(TemplateReader, HiddenPicturesForceTheSlotRectanglesOn) {
    Document doc;
    ASSERT_TRUE(applyTemplate(doc, withNumber("pictures_show_picture", 0)).ok());
    EXPECT_FALSE(doc.settings.picturesShowPicture);
    EXPECT_TRUE(doc.settings.picturesShowSelectArea);
    // Only 1 switches a box on.
    ASSERT_TRUE(applyTemplate(doc, withNumber("watermark_open", 2)).ok());
    EXPECT_FALSE(doc.settings.watermarkOpen);
}

TEST(TemplateReader, WatermarkPicturesAreMeasuredOrReportedAndAlwaysKept) {
    TempDir dir;
    Wand mark = testing::makeFilled(40, 30, "#ff0000");
    MagickSetImageFormat(mark.get(), "PNG");
    ASSERT_EQ(MagickWriteImage(mark.get(), (dir / "mark.png").c_str()), MagickTrue);
    MagickSetImageFormat(mark.get(), "BMP");
    ASSERT_EQ(MagickWriteImage(mark.get(), (dir / "mark.bmp").c_str()), MagickTrue);
    testing::writeFile(dir / "fake.png", "just text");

    const std::string text = edited([&](cJSON* root) {
        cJSON* items = cJSON_CreateArray();
        for (const std::string& path :
             {dir / "mark.png", dir / "gone.png", dir / "mark.bmp", dir / "fake.png"}) {
            cJSON* item = cJSON_CreateObject();
            cJSON_AddNumberToObject(item, "x", 1);
            cJSON_AddNumberToObject(item, "y", 2);
            cJSON_AddStringToObject(item, "path", path.c_str());
            cJSON_AddItemToArray(items, item);
        }
        cJSON_ReplaceItemInObject(root, "watermark_items", items);
    });
    Document doc;
    const LoadOutcome result = applyTemplate(doc, text);
    ASSERT_TRUE(result.ok());
    ASSERT_EQ(doc.watermarks.size(), 4u);
    EXPECT_EQ(doc.watermarks[0].width, 40);
    EXPECT_EQ(doc.watermarks[0].height, 30);
    EXPECT_EQ(doc.watermarks[1].width, 0);
    EXPECT_EQ(doc.watermarks[3].number, 4);
    const std::vector<InfoLine> lines = {
        spacedLine("水印层#2 的图片 '" + (dir / "gone.png") + "' 已不存在"),
        spacedLine("水印层#3 的图片 '" + (dir / "mark.bmp") + "' 不是一个有效的图片"),
        spacedLine("水印层#4 的图片 '" + (dir / "fake.png") + "' 不是一个有效的图片"),
    };
    EXPECT_EQ(result->infoLines, lines);
}

TEST(TemplateReader, PictureBackgroundIsReadOrReplacedByTheStandIn) {
    TempDir dir;
    Wand picture = testing::makeFilled(64, 48, "#00ff00");
    MagickSetImageFormat(picture.get(), "JPEG");
    ASSERT_EQ(MagickWriteImage(picture.get(), (dir / "bg.jpg").c_str()), MagickTrue);
    const auto pictureTemplate = [](const std::string& path, bool withDpi) {
        return std::string("{\"background_type\": 0, \"background_path\": \"") + path + "\"," +
               (withDpi ? "\"dpi\": 96," : "") +
               "\"picture_items\": [], \"pictures_show_select_area\": 1, \"pictures_show_picture\": 1,"
               "\"watermark_items\": [], \"watermark_show_select_area\": 1, \"watermark_open\": 1,"
               "\"cutline_items\": [], \"cutline_html_open\": 0, \"cutline_open\": 1, \"format\": \"PNG\","
               "\"transparent_open\": 1}";
    };

    Document doc;
    LoadOutcome result = applyTemplate(doc, pictureTemplate(dir / "bg.jpg", true));
    ASSERT_TRUE(result.ok());
    EXPECT_TRUE(result->infoLines.empty());
    EXPECT_EQ(doc.background.kind, kPictureBackground);
    EXPECT_EQ(doc.background.picturePath, dir / "bg.jpg");
    EXPECT_EQ(doc.background.width, 64);
    EXPECT_EQ(doc.background.height, 48);
    EXPECT_EQ(result->dpi, 96);
    EXPECT_FALSE(result->currentPasteLayer.has_value());

    result = applyTemplate(doc, pictureTemplate(dir / "gone.jpg", false));
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result->infoLines,
              std::vector<InfoLine>{spacedLine("背景图片 '" + (dir / "gone.jpg") + "' 已不存在")});
    EXPECT_EQ(doc.background.width, 1);
    EXPECT_EQ(doc.background.height, 1);
    EXPECT_FALSE(doc.background.pictureData.empty());
    EXPECT_FALSE(result->dpi.has_value());

    // A file that is there but cannot be read says so too, instead of silently becoming 1 x 1.
    testing::writeFile(dir.path() / "damaged.jpg", "\xFF\xD8\xFF\xE0 cut short");
    result = applyTemplate(doc, pictureTemplate(dir / "damaged.jpg", false));
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result->infoLines, std::vector<InfoLine>{spacedLine("背景图片 '" + (dir / "damaged.jpg") +
                                                                  "' 不是一个有效的图片")});
    EXPECT_EQ(doc.background.width, 1);
}

// Numbers follow list order after a long load, without renumbering the whole list per layer.
TEST(TemplateReader, ManyLayersKeepTheirOrderAndNumbers) {
    constexpr int kLayers = 100000;
    std::string items;
    for (int i = 0; i < kLayers; ++i) {
        if (i) items += ",";
        items += "{\"x\":" + std::to_string(i) + ",\"y\":0,\"width\":1,\"height\":1,\"layer_level\":0," +
                 "\"overflow_style\":0}";
    }
    const std::string text =
        "{\"background_type\":1,\"width\":\"800\",\"height\":\"800\","
        "\"background_color\":\"#ffffff\",\"picture_items\":[" +
        items +
        "],\"pictures_show_select_area\":1,\"pictures_show_picture\":1,"
        "\"watermark_items\":[],\"watermark_show_select_area\":1,\"watermark_open\":1,"
        "\"cutline_items\":[],\"cutline_html_open\":0,\"cutline_open\":1,"
        "\"format\":\"JPG\",\"quality\":90}";
    Document doc;
    ASSERT_TRUE(applyTemplate(doc, text).ok());
    ASSERT_EQ(doc.pasteLayers.size(), std::size_t(kLayers));
    for (int i = 0; i < kLayers; ++i) {
        const PasteLayer& layer = doc.pasteLayers[static_cast<std::size_t>(i)];
        if (layer.number != i + 1 || layer.x != i) FAIL() << "layer " << i << " is #" << layer.number;
    }
    // An insert in the middle renumbers what follows it.
    doc.insertPasteLayer(5, kAboveBackground, kShrinkToFit);
    EXPECT_EQ(doc.pasteLayers[4].number, 5);
    EXPECT_EQ(doc.pasteLayers[5].number, 6);
    EXPECT_EQ(doc.pasteLayers[6].number, 7);
    EXPECT_EQ(doc.pasteLayers[6].x, 5);
    EXPECT_EQ(doc.pasteLayers.back().number, kLayers + 1);
}

TEST(TemplateReader, TextsAreReadAsCodePage936) {
    // "/水印/乗.png" in code-page-936 bytes; 乗 ends in 5C, written escaped.
    const std::string gbkPath = "/\xCB\xAE\xD3\xA1/\x81\\\\.png";
    const std::string text = withFirstElement(
        "watermark_items", [&](cJSON* e) { cJSON_ReplaceItemInObject(e, "path", cJSON_CreateString("@")); });
    std::string bytes = text;
    bytes.replace(bytes.find("\"@\""), 3, "\"" + gbkPath + "\"");
    Document doc;
    ASSERT_TRUE(applyTemplate(doc, bytes).ok());
    EXPECT_EQ(doc.watermarks[0].path, "/水印/乗.png");
}

TEST(TemplateReader, PathsThatWouldNameAnotherFileAreRefused) {
    auto withWatermarkPath = [](const std::string& raw) {
        std::string bytes = withFirstElement("watermark_items", [&](cJSON* e) {
            cJSON_ReplaceItemInObject(e, "path", cJSON_CreateString("@"));
        });
        bytes.replace(bytes.find("\"@\""), 3, "\"" + raw + "\"");
        return bytes;
    };
    // A lead byte without its trail byte, a byte no GBK text holds, an escaped NUL before an extension.
    for (const std::string& raw :
         {std::string("/a\x81.png"), std::string("/a\xFF.png"), std::string("/a.png\\u0000.jpg")}) {
        Document doc;
        EXPECT_EQ(loadError(applyTemplate(doc, withWatermarkPath(raw))), "文件格式不对！") << raw;
    }
    // An escaped backslash before "u0000" is a plain text, not a NUL.
    Document doc;
    ASSERT_TRUE(applyTemplate(doc, withWatermarkPath("/a\\\\u0000.png")).ok());
    EXPECT_EQ(doc.watermarks[0].path, "/a\\u0000.png");
}

TEST(TemplateReader, SlicesAreSortedOnLoad) {
    Document doc;
    ASSERT_TRUE(applyTemplate(doc, edited([](cJSON* root) {
                                  cJSON* items = cJSON_GetObjectItemCaseSensitive(root, "cutline_items");
                                  for (const int y : {300, 20, 100}) {
                                      cJSON* item = cJSON_CreateObject();
                                      cJSON_AddNumberToObject(item, "y", y);
                                      cJSON_AddItemToArray(items, item);
                                  }
                              }))
                    .ok());
    std::vector<int> ys;
    std::vector<int> numbers;
    for (const Slice& s : doc.slices) {
        ys.push_back(s.y);
        numbers.push_back(s.number);
    }
    ASSERT_EQ(ys.size(), 4u);
    EXPECT_TRUE(std::is_sorted(ys.begin(), ys.end()));
    EXPECT_EQ(numbers, (std::vector<int>{1, 2, 3, 4}));
}

}  // namespace
}  // namespace plazor
