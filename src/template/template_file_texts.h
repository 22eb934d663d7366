// The fixed texts that the template file's writer and reader share: member values and member names.
#pragma once

namespace plazor {

inline constexpr const char* kColourWhiteText = "#ffffff";
inline constexpr const char* kColourTransparentText = "none";
inline constexpr const char* kColourCustomText = "other";
inline constexpr const char* kFormatJpgText = "JPG";
inline constexpr const char* kFormatPngText = "PNG";

// The member names of the template file, as every version writes and reads them: templates saved by
// earlier versions must open, and the files this one writes must open in them. Do not rename any.
namespace key {
// The background.
inline constexpr const char* kBackgroundType = "background_type";
inline constexpr const char* kBackgroundPath = "background_path";
inline constexpr const char* kDpi = "dpi";
inline constexpr const char* kWidth = "width";
inline constexpr const char* kHeight = "height";
inline constexpr const char* kSzWidth = "szWidth";
inline constexpr const char* kSzHeight = "szHeight";
inline constexpr const char* kUnit = "unit";
inline constexpr const char* kBackgroundColor = "background_color";
inline constexpr const char* kBackgroundColorValue = "background_color_value";
// A layer's place and a paste layer's display; "width" and "height" also name the custom style's size.
inline constexpr const char* kX = "x";
inline constexpr const char* kY = "y";
inline constexpr const char* kLayerLevel = "layer_level";
inline constexpr const char* kOverflowStyle = "overflow_style";
inline constexpr const char* kCustomize = "customize";
inline constexpr const char* kHorizontalPosition = "horizontalPosition";
inline constexpr const char* kLeft = "left";
inline constexpr const char* kVerticalPosition = "verticalPosition";
inline constexpr const char* kTop = "top";
// The output.
inline constexpr const char* kFormat = "format";
inline constexpr const char* kTransparentOpen = "transparent_open";
inline constexpr const char* kIsSaveToPng8 = "isSaveToPng8";
inline constexpr const char* kColorCount = "colorCount";
inline constexpr const char* kQuality = "quality";
inline constexpr const char* kColorspace = "colorspace";
// The layer lists and their switches.
inline constexpr const char* kPicturesShowSelectArea = "pictures_show_select_area";
inline constexpr const char* kPicturesShowPicture = "pictures_show_picture";
inline constexpr const char* kPictureItems = "picture_items";
inline constexpr const char* kWatermarkOpen = "watermark_open";
inline constexpr const char* kWatermarkShowSelectArea = "watermark_show_select_area";
inline constexpr const char* kWatermarkItems = "watermark_items";
inline constexpr const char* kPath = "path";
inline constexpr const char* kCutlineOpen = "cutline_open";
inline constexpr const char* kCutlineHtmlOpen = "cutline_html_open";
inline constexpr const char* kCutlineItems = "cutline_items";
}  // namespace key

}  // namespace plazor
