// The writer's bytes against files written by hand: cJSON's formatted layout (a tab after each key,
// tab indentation, "}, {" between array objects), the members in order and code-page-936 texts.
#include <gtest/gtest.h>

#include "template/template_file.h"

namespace plazor {
namespace {

bool endsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

TEST(TemplateWriter, ColourBackgroundWithCustomColourAndJpg) {
    Document doc;
    Background& bg = doc.background;
    bg.width = 1181;
    bg.height = 1772;
    bg.unit = kUnitCentimetres;
    bg.szWidth = "10";
    bg.szHeight = "15";
    bg.dpi = 300;
    bg.colourChoice = kColourCustom;
    bg.colour = 0x336699;
    PasteLayer& first = doc.addPasteLayer(kAboveBackground, kShrinkToFit);
    first.x = 10;
    first.y = 20;
    first.width = 300;
    first.height = 400;
    // Not placed yet, custom style: the only kind of layer that writes "customize".
    doc.addPasteLayer(kBelowBackground, kCustom).customize =
        Customize{200, 0, kPosValue, -15, kPosCentre, 25};
    doc.addSlice(100);
    doc.settings.colourSpace = kSpaceGrey;

    const std::string expected =
        "{\n"
        "\t\"background_type\":\t1,\n"
        "\t\"width\":\t\"1181\",\n"
        "\t\"height\":\t\"1772\",\n"
        "\t\"szWidth\":\t\"10\",\n"
        "\t\"szHeight\":\t\"15\",\n"
        "\t\"unit\":\t1,\n"
        "\t\"dpi\":\t300,\n"
        "\t\"background_color\":\t\"other\",\n"
        "\t\"background_color_value\":\t3368601,\n"
        "\t\"pictures_show_select_area\":\t1,\n"
        "\t\"pictures_show_picture\":\t1,\n"
        "\t\"picture_items\":\t[{\n"
        "\t\t\t\"x\":\t10,\n"
        "\t\t\t\"y\":\t20,\n"
        "\t\t\t\"width\":\t300,\n"
        "\t\t\t\"height\":\t400,\n"
        "\t\t\t\"layer_level\":\t0,\n"
        "\t\t\t\"overflow_style\":\t0\n"
        "\t\t}, {\n"
        "\t\t\t\"x\":\t-1,\n"
        "\t\t\t\"y\":\t-1,\n"
        "\t\t\t\"width\":\t-1,\n"
        "\t\t\t\"height\":\t-1,\n"
        "\t\t\t\"layer_level\":\t1,\n"
        "\t\t\t\"overflow_style\":\t5,\n"
        "\t\t\t\"customize\":\t{\n"
        "\t\t\t\t\"width\":\t200,\n"
        "\t\t\t\t\"height\":\t0,\n"
        "\t\t\t\t\"horizontalPosition\":\t3,\n"
        "\t\t\t\t\"left\":\t-15,\n"
        "\t\t\t\t\"verticalPosition\":\t1,\n"
        "\t\t\t\t\"top\":\t25\n"
        "\t\t\t}\n"
        "\t\t}],\n"
        "\t\"watermark_open\":\t1,\n"
        "\t\"watermark_show_select_area\":\t1,\n"
        "\t\"watermark_items\":\t[],\n"
        "\t\"cutline_open\":\t1,\n"
        "\t\"cutline_html_open\":\t0,\n"
        "\t\"cutline_items\":\t[{\n"
        "\t\t\t\"y\":\t100\n"
        "\t\t}],\n"
        "\t\"format\":\t\"JPG\",\n"
        "\t\"quality\":\t90,\n"
        "\t\"colorspace\":\t\"\xBB\xD2\xC9\xAB\"\n"  // 灰色
        "}";
    EXPECT_EQ(serialiseTemplate(doc).value(), expected);
}

TEST(TemplateWriter, PictureBackgroundPngEightAndChinesePaths) {
    Document doc;
    doc.background.kind = kPictureBackground;
    doc.background.picturePath = "/图片/背景.png";
    doc.addWatermark("/水印/a\"b\\乗.png", 5, 6);  // 乗 is 81 5C: its second byte is a backslash
    Settings& s = doc.settings;
    s.picturesShowSelectArea = false;
    s.watermarkOpen = false;
    s.cutlineOpen = false;
    s.cutlineHtmlOpen = true;
    s.format = kFormatPng;
    s.transparent = true;
    s.png8 = true;
    s.colourCount = 128;

    const std::string expected =
        "{\n"
        "\t\"background_type\":\t0,\n"
        "\t\"background_path\":\t\"/\xCD\xBC\xC6\xAC/\xB1\xB3\xBE\xB0.png\",\n"
        "\t\"dpi\":\t72,\n"
        "\t\"pictures_show_select_area\":\t0,\n"
        "\t\"pictures_show_picture\":\t1,\n"
        "\t\"picture_items\":\t[],\n"
        "\t\"watermark_open\":\t0,\n"
        "\t\"watermark_show_select_area\":\t1,\n"
        "\t\"watermark_items\":\t[{\n"
        "\t\t\t\"x\":\t5,\n"
        "\t\t\t\"y\":\t6,\n"
        "\t\t\t\"path\":\t\"/\xCB\xAE\xD3\xA1/a\\\"b\\\\\x81\\\\.png\"\n"
        "\t\t}],\n"
        "\t\"cutline_open\":\t0,\n"
        "\t\"cutline_html_open\":\t1,\n"
        "\t\"cutline_items\":\t[],\n"
        "\t\"format\":\t\"PNG\",\n"
        "\t\"transparent_open\":\t1,\n"
        "\t\"isSaveToPng8\":\t1,\n"
        "\t\"colorCount\":\t128\n"
        "}";
    EXPECT_EQ(serialiseTemplate(doc).value(), expected);
}

TEST(TemplateWriter, NewTemplateWithWhiteBackgroundAndSrgb) {
    const std::string expected =
        "{\n"
        "\t\"background_type\":\t1,\n"
        "\t\"width\":\t\"800\",\n"
        "\t\"height\":\t\"800\",\n"
        "\t\"szWidth\":\t\"800\",\n"
        "\t\"szHeight\":\t\"800\",\n"
        "\t\"unit\":\t0,\n"
        "\t\"dpi\":\t72,\n"
        "\t\"background_color\":\t\"#ffffff\",\n"
        "\t\"pictures_show_select_area\":\t1,\n"
        "\t\"pictures_show_picture\":\t1,\n"
        "\t\"picture_items\":\t[],\n"
        "\t\"watermark_open\":\t1,\n"
        "\t\"watermark_show_select_area\":\t1,\n"
        "\t\"watermark_items\":\t[],\n"
        "\t\"cutline_open\":\t1,\n"
        "\t\"cutline_html_open\":\t0,\n"
        "\t\"cutline_items\":\t[],\n"
        "\t\"format\":\t\"JPG\",\n"
        "\t\"quality\":\t90,\n"
        "\t\"colorspace\":\t\"sRGB\"\n"
        "}";
    Document doc;
    EXPECT_EQ(serialiseTemplate(doc).value(), expected);
}

TEST(TemplateWriter, TransparentColourWritesNoValueAndPngWithoutPaletteWrites256) {
    Document doc;
    doc.background.colourChoice = kColourTransparent;
    doc.background.colour = 0x123456;
    doc.settings.format = kFormatPng;
    doc.settings.transparent = false;
    doc.settings.png8 = false;
    doc.settings.colourCount = 64;
    const std::string text = serialiseTemplate(doc).value();
    EXPECT_NE(text.find("\t\"background_color\":\t\"none\",\n\t\"pictures_show_select_area\""),
              std::string::npos);
    EXPECT_TRUE(endsWith(text,
                         "\t\"format\":\t\"PNG\",\n"
                         "\t\"transparent_open\":\t0,\n"
                         "\t\"isSaveToPng8\":\t0,\n"
                         "\t\"colorCount\":\t256\n"
                         "}"))
        << text;
}

TEST(TemplateWriter, ColourSpacesOutsideTheListAreWrittenAsSrgb) {
    Document doc;
    for (int space : {int{kSpaceRGB}, int{kSpaceCMYK}, 7}) {
        doc.settings.colourSpace = space;
        const std::string want = space == kSpaceRGB ? "RGB" : space == kSpaceCMYK ? "CMYK" : "sRGB";
        EXPECT_TRUE(endsWith(serialiseTemplate(doc).value(), "\t\"colorspace\":\t\"" + want + "\"\n}"))
            << space;
    }
}

}  // namespace
}  // namespace plazor
