#include "template/document.h"

#include <algorithm>
#include <functional>

#include "template/background_picture.h"
#include "template/units.h"
#include "util/fs.h"

namespace plazor {
namespace {

// Removes the listed positions (any order, duplicates and out-of-range ignored) from `items`.
template <typename T>
void eraseIndices(std::vector<T>& items, std::vector<std::size_t> indices) {
    std::sort(indices.begin(), indices.end(), std::greater<>());
    indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
    for (std::size_t i : indices) {
        if (i < items.size()) items.erase(items.begin() + static_cast<std::ptrdiff_t>(i));
    }
}

template <typename T>
void renumberList(std::vector<T>& items) {
    int n = 1;
    for (auto& item : items)
        item.number = n++;
}

}  // namespace

void Document::resetToNew() {
    pasteLayers.clear();
    watermarks.clear();
    slices.clear();
    const int dpi = background.dpi;
    background = Background{};
    background.dpi = dpi;
    sourceFolder.clear();
    outputFolder.clear();
    currentPath.clear();
}

std::string Document::titleName() const {
    return currentPath.empty() ? std::string(kNewTemplateTitle) : baseName(currentPath);
}

void Document::setBackgroundSizeFromTexts(std::string_view widthText, std::string_view heightText, int dpi) {
    background.dpi = dpi;
    background.szWidth = clipSizeText(widthText);
    background.szHeight = clipSizeText(heightText);
    background.width = pixelsFromTyped(background.szWidth, background.unit, dpi);
    background.height = pixelsFromTyped(background.szHeight, background.unit, dpi);
}

bool Document::setBackgroundUnit(int unit, int dpi) {
    if (unit == background.unit || unit < kUnitPixels || unit > kUnitInches) return false;
    background.unit = unit;
    background.dpi = dpi;
    background.szWidth = sizeTextInUnit(background.width, unit, dpi);
    background.szHeight = sizeTextInUnit(background.height, unit, dpi);
    return true;
}

void Document::setBackgroundDpi(int dpi) {
    background.dpi = std::clamp(dpi, kMinDpi, kMaxDpi);
}

void Document::useColourBackground() {
    background.kind = kColourBackground;
}

void Document::setBackgroundColour(int choice, std::uint32_t colour) {
    background.colourChoice = choice;
    background.transparent = choice == kColourTransparent ? 1 : 0;
    if (choice == kColourWhite) background.colour = 0xFFFFFF;
    if (choice == kColourCustom) background.colour = colour & 0xFFFFFF;
}

void Document::usePictureBackground() {
    background.kind = kPictureBackground;
    background.pictureData.clear();
}

bool Document::setBackgroundPicture(const std::string& path) {
    background.picturePath = path;
    return loadBackgroundPicture(background, path);
}

void Document::useBackgroundPlaceholder() {
    plazor::useBackgroundPlaceholder(background);
}

void Document::setSourceFolder(const std::string& folder) {
    sourceFolder = folder;
}

void Document::setOutputFolder(const std::string& folder) {
    outputFolder = folder;
}

void Document::setPicturesShowPicture(bool on) {
    settings.picturesShowPicture = on;
    if (!on) settings.picturesShowSelectArea = true;
}

PasteLayer& Document::addPasteLayer(unsigned level, unsigned overflowStyle) {
    return insertPasteLayer(pasteLayers.size(), level, overflowStyle);
}

PasteLayer& Document::insertPasteLayer(std::size_t index, unsigned level, unsigned overflowStyle) {
    index = std::min(index, pasteLayers.size());
    PasteLayer layer;
    layer.level = level;
    layer.overflowStyle = overflowStyle;
    auto it = pasteLayers.insert(pasteLayers.begin() + static_cast<std::ptrdiff_t>(index), layer);
    renumberList(pasteLayers);
    return *it;
}

void Document::copyPasteLayers(const std::vector<std::size_t>& indices) {
    std::vector<PasteLayer> copies;
    for (std::size_t i : indices) {
        if (i >= pasteLayers.size()) continue;
        PasteLayer copy = pasteLayers[i];
        copy.selected = false;
        copies.push_back(copy);
    }
    pasteLayers.insert(pasteLayers.end(), copies.begin(), copies.end());
    renumberList(pasteLayers);
}

void Document::deletePasteLayers(std::vector<std::size_t> indices) {
    eraseIndices(pasteLayers, std::move(indices));
    renumberList(pasteLayers);
}

WatermarkLayer& Document::addWatermark(const std::string& path, int x, int y) {
    return insertWatermark(watermarks.size(), path, x, y);
}

WatermarkLayer& Document::insertWatermark(std::size_t index, const std::string& path, int x, int y) {
    index = std::min(index, watermarks.size());
    WatermarkLayer layer;
    layer.path = path;
    layer.x = x;
    layer.y = y;
    auto it = watermarks.insert(watermarks.begin() + static_cast<std::ptrdiff_t>(index), layer);
    renumberList(watermarks);
    return *it;
}

void Document::deleteWatermarks(std::vector<std::size_t> indices) {
    eraseIndices(watermarks, std::move(indices));
    renumberList(watermarks);
}

Slice& Document::addSlice(int y) {
    Slice slice;
    slice.y = y;
    slices.push_back(slice);
    renumberList(slices);
    return slices.back();
}

void Document::deleteSlices(std::vector<std::size_t> indices) {
    eraseIndices(slices, std::move(indices));
    renumberList(slices);
}

void Document::setPasteLayerRect(std::size_t index, int x, int y, int width, int height) {
    if (index >= pasteLayers.size()) return;
    PasteLayer& layer = pasteLayers[index];
    layer.x = x;
    layer.y = y;
    layer.width = width;
    layer.height = height;
}

bool Document::setPasteLayerLevel(std::size_t index, unsigned level) {
    if (index >= pasteLayers.size() || pasteLayers[index].level == level) return false;
    pasteLayers[index].level = level;
    return true;
}

bool Document::setPasteLayerStyle(std::size_t index, unsigned overflowStyle) {
    if (index >= pasteLayers.size() || pasteLayers[index].overflowStyle == overflowStyle) return false;
    pasteLayers[index].overflowStyle = overflowStyle;
    return true;
}

bool Document::setPasteLayerCustomize(std::size_t index, const Customize& customize) {
    if (index >= pasteLayers.size() || pasteLayers[index].customize == customize) return false;
    pasteLayers[index].customize = customize;
    return true;
}

void Document::setPasteLayerSelected(std::size_t index, bool selected) {
    if (index < pasteLayers.size()) pasteLayers[index].selected = selected;
}

void Document::deselectPasteLayers() {
    for (PasteLayer& layer : pasteLayers)
        layer.selected = false;
}

void Document::setWatermarkPosition(std::size_t index, int x, int y) {
    if (index >= watermarks.size()) return;
    watermarks[index].x = x;
    watermarks[index].y = y;
}

void Document::setWatermarkPicture(std::size_t index, const std::string& path, int width, int height) {
    if (index >= watermarks.size()) return;
    WatermarkLayer& layer = watermarks[index];
    layer.path = path;
    layer.width = width;
    layer.height = height;
}

std::size_t Document::moveSlice(std::size_t index, int y) {
    if (index >= slices.size()) return index;
    slices[index].y = y;
    std::vector<int> ys;
    ys.reserve(slices.size());
    for (const Slice& slice : slices)
        ys.push_back(slice.y);
    std::sort(ys.begin(), ys.end());
    for (std::size_t i = 0; i < slices.size(); ++i)
        slices[i].y = ys[i];
    return static_cast<std::size_t>(std::find(ys.begin(), ys.end(), y) - ys.begin());
}

void Document::setSliceY(std::size_t index, int y) {
    if (index < slices.size()) slices[index].y = y;
}

void Document::renumber() {
    renumberList(pasteLayers);
    renumberList(watermarks);
    renumberList(slices);
}

}  // namespace plazor
