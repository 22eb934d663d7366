// The layout template: the one document the editor edits, the batch tool loads and the engine renders.
// Plain records and ordered lists; every change goes through the named operations of Document so that
// the window, the canvas and the batch tool stay consistent.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace plazor {

// Display unit of the background size.
enum Unit : int { kUnitPixels = 0, kUnitCentimetres = 1, kUnitMillimetres = 2, kUnitInches = 3 };

// Where a paste layer is composited.
enum LayerLevel : unsigned { kAboveBackground = 0, kBelowBackground = 1 };

// How a source picture is fitted into its slot.
enum OverflowStyle : unsigned {
    kShrinkToFit = 0,  // "等比例缩小"
    kStretch = 1,      // "填充式缩放"
    kCropTopLeft = 2,  // "裁剪左上角"
    kCropCentre = 3,   // "裁剪正中间"
    kScaleToFit = 4,   // "等比例缩放"
    kCustom = 5,       // "自定义"
};

// Positions of the custom style (horizontalPosition / verticalPosition).
enum CustomPosition : int { kPosStart = 0, kPosCentre = 1, kPosEnd = 2, kPosValue = 3 };

enum BackgroundKind : int { kPictureBackground = 0, kColourBackground = 1 };

// Colour choice of a colour background.
enum ColourChoice : int { kColourWhite = 0, kColourTransparent = 1, kColourCustom = 2 };

enum OutputFormat : int { kFormatJpg = 0, kFormatPng = 1 };

// Colour space list of JPG output, in list order.
enum ColourSpace : int { kSpaceSRGB = 0, kSpaceRGB = 1, kSpaceCMYK = 2, kSpaceGrey = 3 };

// Custom display style of a paste layer (overflow style 5).
struct Customize {
    int width = 0;  // 0 keeps the picture's own width
    int height = 0;
    int horizontalPosition = kPosStart;
    int left = 0;
    int verticalPosition = kPosStart;
    int top = 0;
    bool operator==(const Customize&) const = default;
};

struct PasteLayer {
    int number = 0;                               // 1-based position in the list
    int x = -1, y = -1, width = -1, height = -1;  // -1 until the slot is drawn
    unsigned level = kAboveBackground;
    unsigned overflowStyle = kShrinkToFit;
    Customize customize;
    bool selected = false;  // display state of the canvas and lists; not saved

    bool isPlaced() const { return x != -1 && width != -1; }
    bool operator==(const PasteLayer&) const = default;
};

struct WatermarkLayer {
    int number = 0;
    int x = 0, y = 0;
    int width = 0, height = 0;  // size of the picture as last read; not saved
    std::string path;           // UTF-8
    bool selected = false;
    bool operator==(const WatermarkLayer&) const = default;
};

struct Slice {
    int number = 0;
    int y = -1;  // -1 until positioned
    bool selected = false;
    bool operator==(const Slice&) const = default;
};

struct Background {
    int kind = kColourBackground;
    std::uint32_t colour = 0xFFFFFF;  // red in the low byte, then green, then blue
    std::string pictureData;          // the encoded background picture, as the image library wrote it
    int transparent = 0;  // colour: the transparent choice; picture: the picture has an alpha channel
    int width = 800, height = 800;
    int unit = kUnitPixels;
    int dpi = 72;
    std::string szWidth = "800", szHeight = "800";  // sizes as shown in the unit
    std::string picturePath;                        // UTF-8
    int colourChoice = kColourWhite;
    bool operator==(const Background&) const = default;
};

// Range of the JPG quality track bar.
inline constexpr int kMinQuality = 10;
inline constexpr int kMaxQuality = 100;
// PNG-8 palette size when none is chosen.
inline constexpr int kDefaultColourCount = 256;

// The switches and output settings that the main window's controls show.
// Defaults are the controls' initial states.
struct Settings {
    bool picturesShowSelectArea = true;
    bool picturesShowPicture = true;
    bool watermarkOpen = true;
    bool watermarkShowSelectArea = true;
    bool cutlineOpen = true;
    bool cutlineHtmlOpen = false;
    int format = kFormatJpg;
    int quality = 90;
    int colourSpace = kSpaceSRGB;
    bool transparent = true;
    bool png8 = false;
    int colourCount = kDefaultColourCount;
    bool operator==(const Settings&) const = default;
};

inline constexpr const char* kNewTemplateTitle = "新模版";

class Document {
  public:
    Background background;
    std::vector<PasteLayer> pasteLayers;
    std::vector<WatermarkLayer> watermarks;
    std::vector<Slice> slices;
    Settings settings;
    std::string sourceFolder;  // not saved in the template file
    std::string outputFolder;  // not saved in the template file
    std::string currentPath;   // empty for a new template

    // Back to a new template: white 800 x 800 pixel colour background, no layers, no path.
    // The dpi and the switches are left as they are: the dpi is a process-wide preference and the
    // switches are the window's controls, which "new" does not touch.
    void resetToNew();

    // "新模版" for a new template, else the file-name part of the current path.
    std::string titleName() const;

    // The background size as typed in the current unit, at `dpi` (the process dpi, which the
    // background takes): pixels follow the unit conversion, the texts are kept as typed (clipped to
    // kMaxSizeTextChars characters).
    void setBackgroundSizeFromTexts(std::string_view widthText, std::string_view heightText, int dpi);
    // Shows the size in another unit at `dpi`: the texts are recomputed from the pixel size, so
    // switching back and forth does not drift. False, and nothing changes, for the current unit or an
    // unknown one.
    bool setBackgroundUnit(int unit, int dpi);

    // The process dpi, which outputs carry and the file records.
    void setBackgroundDpi(int dpi);
    // A colour background of the chosen colour: white, transparent or `colour` (kColourCustom only).
    void useColourBackground();
    void setBackgroundColour(int choice, std::uint32_t colour);
    // A picture background: its previous picture data is released until a picture is read.
    void usePictureBackground();
    // Reads the picture at `path` into the background (its size becomes the background size); a
    // picture that cannot be read gives the 1 x 1 white stand-in. Returns whether it was read.
    bool setBackgroundPicture(const std::string& path);
    void useBackgroundPlaceholder();

    // The two folders of a run, as the window shows them.
    void setSourceFolder(const std::string& folder);
    void setOutputFolder(const std::string& folder);

    // Turning the slot previews off forces the slot rectangles on, so that the slots always show.
    void setPicturesShowPicture(bool on);

    // Paste layers. Indices are 0-based list positions; numbers stay 1..N in list order.
    PasteLayer& addPasteLayer(unsigned level, unsigned overflowStyle);
    PasteLayer& insertPasteLayer(std::size_t index, unsigned level, unsigned overflowStyle);
    // Appends a copy of each listed layer (rectangle, level, style, customize) with new numbers.
    void copyPasteLayers(const std::vector<std::size_t>& indices);
    void deletePasteLayers(std::vector<std::size_t> indices);

    WatermarkLayer& addWatermark(const std::string& path, int x, int y);
    WatermarkLayer& insertWatermark(std::size_t index, const std::string& path, int x, int y);
    void deleteWatermarks(std::vector<std::size_t> indices);

    Slice& addSlice(int y);
    void deleteSlices(std::vector<std::size_t> indices);

    // Editing one layer. An index outside its list changes nothing; the setters that report whether
    // the value changed return false then.
    void setPasteLayerRect(std::size_t index, int x, int y, int width, int height);
    bool setPasteLayerLevel(std::size_t index, unsigned level);
    bool setPasteLayerStyle(std::size_t index, unsigned overflowStyle);
    // The custom display style record of a layer; false when it already held these values.
    bool setPasteLayerCustomize(std::size_t index, const Customize& customize);
    // The selected flags that the paste list and the canvas share.
    void setPasteLayerSelected(std::size_t index, bool selected);
    void deselectPasteLayers();
    void setWatermarkPosition(std::size_t index, int x, int y);
    // A new picture for the watermark, with the size its header gave.
    void setWatermarkPicture(std::size_t index, const std::string& path, int width, int height);
    // Moves slice `index` to `y` and deals the y values out again in ascending order over the slices
    // in list order, so numbers stay as they are. Returns the position that now holds `y` (the first
    // one when several do).
    std::size_t moveSlice(std::size_t index, int y);
    // Sets one slice's y and leaves the order to a later moveSlice, as a drag on the canvas does.
    void setSliceY(std::size_t index, int y);

    void renumber();
};

}  // namespace plazor
