#include "template/document.h"

#include <gtest/gtest.h>

#include "template/template_file.h"
#include "template/units.h"

namespace plazor {
namespace {

std::vector<int> numbers(const std::vector<PasteLayer>& layers) {
    std::vector<int> out;
    for (const auto& layer : layers)
        out.push_back(layer.number);
    return out;
}

std::vector<int> xs(const std::vector<PasteLayer>& layers) {
    std::vector<int> out;
    for (const auto& layer : layers)
        out.push_back(layer.x);
    return out;
}

Document documentWithLayersAt(std::initializer_list<int> positions) {
    Document doc;
    for (int x : positions)
        doc.addPasteLayer(kAboveBackground, kShrinkToFit).x = x;
    return doc;
}

TEST(Document, NewTemplateIsAWhiteSquareWithoutLayers) {
    Document doc;
    doc.background.dpi = 150;
    doc.addPasteLayer(kBelowBackground, kCustom);
    doc.addWatermark("/a.png", 1, 2);
    doc.addSlice(40);
    doc.background.kind = kPictureBackground;
    doc.currentPath = "/t/a.dat";
    doc.resetToNew();

    EXPECT_EQ(doc.background.kind, kColourBackground);
    EXPECT_EQ(doc.background.colourChoice, kColourWhite);
    EXPECT_EQ(doc.background.colour, 0xFFFFFFu);
    EXPECT_EQ(doc.background.width, 800);
    EXPECT_EQ(doc.background.height, 800);
    EXPECT_EQ(doc.background.szWidth, "800");
    EXPECT_EQ(doc.background.unit, kUnitPixels);
    EXPECT_EQ(doc.background.dpi, 150);  // the process dpi is not part of "new"
    EXPECT_TRUE(doc.pasteLayers.empty());
    EXPECT_TRUE(doc.watermarks.empty());
    EXPECT_TRUE(doc.slices.empty());
    EXPECT_EQ(doc.titleName(), "新模版");
    EXPECT_FALSE(isTemplateModified(doc));
}

TEST(Document, DeletingRenumbersInListOrder) {
    Document doc = documentWithLayersAt({10, 20, 30, 40});
    doc.deletePasteLayers({1});
    EXPECT_EQ(numbers(doc.pasteLayers), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(xs(doc.pasteLayers), (std::vector<int>{10, 30, 40}));

    // Several at once, in any order, duplicates and unknown positions ignored.
    doc.deletePasteLayers({2, 0, 2, 9});
    EXPECT_EQ(numbers(doc.pasteLayers), (std::vector<int>{1}));
    EXPECT_EQ(xs(doc.pasteLayers), (std::vector<int>{30}));
}

TEST(Document, InsertingAndCopyingRenumber) {
    Document doc = documentWithLayersAt({10, 20, 30});
    PasteLayer& inserted = doc.insertPasteLayer(1, kBelowBackground, kCustom);
    EXPECT_EQ(inserted.number, 2);
    EXPECT_EQ(inserted.x, -1);
    EXPECT_EQ(inserted.level, kBelowBackground);
    EXPECT_EQ(numbers(doc.pasteLayers), (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(xs(doc.pasteLayers), (std::vector<int>{10, -1, 20, 30}));

    doc.pasteLayers[0].customize = Customize{5, 6, kPosValue, -7, kPosEnd, 8};
    doc.pasteLayers[0].selected = true;
    doc.copyPasteLayers({0, 3});
    EXPECT_EQ(numbers(doc.pasteLayers), (std::vector<int>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(xs(doc.pasteLayers), (std::vector<int>{10, -1, 20, 30, 10, 30}));
    EXPECT_EQ(doc.pasteLayers[4].customize, doc.pasteLayers[0].customize);
    EXPECT_FALSE(doc.pasteLayers[4].selected);

    doc.insertWatermark(0, "/b.png", 0, 0);
    doc.insertWatermark(0, "/a.png", 0, 0);
    doc.addSlice(5);
    doc.addSlice(9);
    doc.deleteSlices({0});
    EXPECT_EQ(doc.watermarks[0].path, "/a.png");
    EXPECT_EQ(doc.watermarks[1].number, 2);
    EXPECT_EQ(doc.slices[0].number, 1);
    EXPECT_EQ(doc.slices[0].y, 9);
}

TEST(Document, TypedSizesConvertAtTheGivenDpi) {
    Document doc;
    doc.setBackgroundUnit(kUnitCentimetres, 300);
    doc.setBackgroundSizeFromTexts("10", "10.5", 300);
    EXPECT_EQ(doc.background.width, 1181);
    EXPECT_EQ(doc.background.height, 1240);  // 1240.14
    EXPECT_EQ(doc.background.szWidth, "10");
    EXPECT_EQ(doc.background.szHeight, "10.5");
    EXPECT_EQ(doc.background.dpi, 300);

    doc.setBackgroundUnit(kUnitPixels, 300);
    doc.setBackgroundSizeFromTexts("", "123456789", 300);
    EXPECT_EQ(doc.background.width, 1);
    EXPECT_EQ(doc.background.height, kMaxBackgroundSide);
    EXPECT_EQ(doc.background.szHeight, "1234567");  // typed texts are read up to seven characters
}

TEST(Document, ChangingTheUnitRecomputesTheTextsWithoutDrift) {
    Document doc;
    EXPECT_FALSE(doc.setBackgroundUnit(kUnitPixels, 72));  // already pixels
    EXPECT_FALSE(doc.setBackgroundUnit(4, 72));
    EXPECT_EQ(doc.background.unit, kUnitPixels);

    EXPECT_TRUE(doc.setBackgroundUnit(kUnitCentimetres, 72));
    EXPECT_EQ(doc.background.szWidth, "28.22");
    EXPECT_TRUE(doc.setBackgroundUnit(kUnitInches, 72));
    EXPECT_EQ(doc.background.szWidth, "11.111");
    EXPECT_TRUE(doc.setBackgroundUnit(kUnitMillimetres, 72));
    EXPECT_EQ(doc.background.szHeight, "282.23");
    EXPECT_TRUE(doc.setBackgroundUnit(kUnitPixels, 72));
    EXPECT_EQ(doc.background.szWidth, "800");
    EXPECT_EQ(doc.background.width, 800);
    EXPECT_EQ(doc.background.height, 800);
}

TEST(Document, HidingPicturesForcesTheSlotRectanglesOn) {
    Document doc;
    doc.settings.picturesShowSelectArea = false;
    doc.setPicturesShowPicture(true);
    EXPECT_FALSE(doc.settings.picturesShowSelectArea);
    doc.setPicturesShowPicture(false);
    EXPECT_FALSE(doc.settings.picturesShowPicture);
    EXPECT_TRUE(doc.settings.picturesShowSelectArea);
}

TEST(Document, MovingASliceDealsTheYValuesOutInOrder) {
    Document doc;
    for (int y : {100, 300, -1, 500})
        doc.addSlice(y);
    EXPECT_EQ(doc.moveSlice(0, 400), 2u);  // -1, 300, 400, 500
    std::vector<std::pair<int, int>> slices;
    for (const Slice& slice : doc.slices)
        slices.emplace_back(slice.number, slice.y);
    EXPECT_EQ(slices, (std::vector<std::pair<int, int>>{{1, -1}, {2, 300}, {3, 400}, {4, 500}}));
    EXPECT_EQ(doc.moveSlice(3, 300), 1u);  // the first of equal values
    EXPECT_EQ(doc.moveSlice(9, 10), 9u);
    EXPECT_EQ(doc.slices[3].y, 400);
}

}  // namespace
}  // namespace plazor
