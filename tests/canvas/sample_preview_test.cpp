// Which sample each paste layer previews and where it is drawn by the layer's overflow style.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "canvas/sample_preview.h"
#include "support/temp_dir.h"

namespace plazor {
namespace {

namespace fs = std::filesystem;

PasteLayer layerAt(int x, int y, int w, int h, unsigned style) {
    PasteLayer l;
    l.x = x;
    l.y = y;
    l.width = w;
    l.height = h;
    l.overflowStyle = style;
    return l;
}

// Background 100 x 100 in a 1000 x 1000 client: origin 450, 450 at zoom 1, 400, 400 at zoom 2.
ViewMapping mappingAt(double zoom) {
    return makeMapping(1000, 1000, 100, 100, zoom, 0, 0);
}

TEST(SamplePreviewTest, ShrinkToFitCentresTheShrunkPictureInWindowPixels) {
    const auto p = samplePreview(mappingAt(1.0), layerAt(10, 10, 40, 40, kShrinkToFit), 80, 40);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->target, (WindowRect{460, 470, 500, 490}));
    EXPECT_DOUBLE_EQ(p->source.width, 80);
    EXPECT_DOUBLE_EQ(p->source.height, 40);
}

TEST(SamplePreviewTest, ZoomTwoDoublesTheTargetButNotTheSource) {
    const auto p = samplePreview(mappingAt(2.0), layerAt(10, 10, 40, 40, kShrinkToFit), 80, 40);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->target, (WindowRect{420, 440, 500, 480}));
    EXPECT_DOUBLE_EQ(p->source.width, 80);
}

TEST(SamplePreviewTest, CropCentreTakesTheMiddleOfTheSample) {
    const auto p = samplePreview(mappingAt(2.0), layerAt(0, 0, 20, 20, kCropCentre), 60, 20);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->target, (WindowRect{400, 400, 440, 440}));
    EXPECT_DOUBLE_EQ(p->source.x, 20);
    EXPECT_DOUBLE_EQ(p->source.width, 20);
    EXPECT_DOUBLE_EQ(p->source.height, 20);
}

TEST(SamplePreviewTest, CustomOffsetsAreTemplatePixelsScaledByTheZoom) {
    PasteLayer l = layerAt(0, 0, 50, 50, kCustom);
    l.customize = Customize{20, 0, kPosValue, 10, kPosStart, 0};
    const auto p = samplePreview(mappingAt(2.0), l, 40, 30);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->target, (WindowRect{420, 400, 460, 460}));  // 20 x 2 wide, 30 x 2 high, 10 x 2 in
    EXPECT_DOUBLE_EQ(p->source.width, 40);                   // the whole picture, squeezed
    l.customize.left = 60;                                   // pushed past the slot
    EXPECT_FALSE(samplePreview(mappingAt(2.0), l, 40, 30));
}

TEST(SamplePreviewTest, NothingForALayerThatVanishesAtTheZoom) {
    EXPECT_FALSE(samplePreview(mappingAt(0.25), layerAt(0, 0, 3, 3, kStretch), 10, 10));
}

class SamplePicturesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        root_ = dir_.path();
        fs::create_directories(root_ / "a_empty");
        fs::create_directories(root_ / "b_full");
        for (const char* name : {"1.jpg", "2.png", "3.gif", "notes.txt"})
            std::ofstream(root_ / "b_full" / name) << "x";
    }
    plazor::testing::TempDir dir_;
    fs::path root_;
};

TEST_F(SamplePicturesTest, SubFolderModeUsesTheFirstSubFolderWithPictures) {
    const std::vector<std::string> sources{(root_ / "a_empty").string(), (root_ / "b_full").string()};
    const auto samples = samplePictures(sources, kSubFolderListMode, 2);
    ASSERT_EQ(samples.size(), 2u);
    for (const std::string& s : samples)
        EXPECT_EQ(fs::path(s).parent_path(), root_ / "b_full");
    EXPECT_TRUE(samplePictures({(root_ / "a_empty").string()}, kSubFolderListMode, 2).empty());
}

}  // namespace
}  // namespace plazor
