#include "render/placement_geometry.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "render/placement_reference.h"

namespace plazor {
namespace {

constexpr SlotRect kSlot{10, 20, 100, 100};

Customize custom(int width, int height, int hp, int left, int vp, int top) {
    return {width, height, hp, left, vp, top};
}

PlacementPlan plan(const SlotRect& slot, PixelSize picture, unsigned style, const Customize& c = {}) {
    const auto p = planPlacement(slot, picture, style, c);
    EXPECT_TRUE(p.has_value());
    return p.value_or(PlacementPlan{});
}

TEST(PlacementGeometry, ShrinkToFitScalesALargerPictureAndCentresIt) {
    const PlacementPlan p = plan(kSlot, {400, 200}, kShrinkToFit);
    EXPECT_EQ(p.resize, (PixelSize{100, 50}));
    EXPECT_FALSE(p.crop);
    EXPECT_EQ(p.x, 10);
    EXPECT_EQ(p.y, 20 + 25);
}

TEST(PlacementGeometry, ShrinkToFitCentresASmallerPictureWithoutResizing) {
    const PlacementPlan p = plan({10, 20, 100, 80}, {50, 50}, kShrinkToFit);
    EXPECT_FALSE(p.resize);
    EXPECT_EQ(p.x, 10 + 25);
    EXPECT_EQ(p.y, 20 + 15);
}

TEST(PlacementGeometry, ShrinkToFitTruncatesTheDoubleProduct) {
    // s = 6 / 11 and 55 x s is just below 30 in double precision.
    const PlacementPlan p = plan({0, 0, 6, 1000}, {11, 55}, kShrinkToFit);
    EXPECT_EQ(p.resize, (PixelSize{6, 29}));
    EXPECT_EQ(p.y, (1000 - 29) / 2);
}

TEST(PlacementGeometry, ShrinkToFitKeepsAtLeastOnePixel) {
    const PlacementPlan p = plan({0, 0, 10, 10}, {1000, 2}, kShrinkToFit);
    EXPECT_EQ(p.resize, (PixelSize{10, 1}));
    EXPECT_EQ(p.y, 4);
}

TEST(PlacementGeometry, ScaleToFitEnlargesASmallerPicture) {
    const PlacementPlan p = plan({10, 20, 100, 80}, {50, 50}, kScaleToFit);
    EXPECT_EQ(p.resize, (PixelSize{80, 80}));
    EXPECT_EQ(p.x, 10 + 10);
    EXPECT_EQ(p.y, 20);
}

TEST(PlacementGeometry, ScaleToFitLosesAPixelWhenTheQuotientFallsJustShort) {
    // k = 1 / 99, and 1 / k is just below 99.
    const PlacementPlan p = plan({0, 0, 99, 99}, {1, 1}, kScaleToFit);
    EXPECT_EQ(p.resize, (PixelSize{98, 98}));
    EXPECT_EQ(p.x, 0);
    EXPECT_EQ(p.y, 0);
}

TEST(PlacementGeometry, ScaleToFitShrinksLikeShrinkToFit) {
    const PlacementPlan p = plan(kSlot, {400, 200}, kScaleToFit);
    EXPECT_EQ(p.resize, (PixelSize{100, 50}));
    EXPECT_EQ(p.y, 45);
}

TEST(PlacementGeometry, StretchResizesOnlyWhenTheSizeDiffers) {
    PlacementPlan p = plan(kSlot, {30, 400}, kStretch);
    EXPECT_EQ(p.resize, (PixelSize{100, 100}));
    EXPECT_EQ(p.x, 10);
    EXPECT_EQ(p.y, 20);
    p = plan(kSlot, {100, 100}, kStretch);
    EXPECT_FALSE(p.resize);
}

TEST(PlacementGeometry, CropTopLeftKeepsTheCornerAndCentresShortAxes) {
    PlacementPlan p = plan({10, 20, 100, 50}, {300, 300}, kCropTopLeft);
    EXPECT_EQ(p.crop, (CropRect{0, 0, 100, 50}));
    EXPECT_EQ(p.x, 10);
    EXPECT_EQ(p.y, 20);

    // Narrower than the slot: whole width, centred; taller: cut to the slot's height.
    p = plan({10, 20, 100, 50}, {41, 300}, kCropTopLeft);
    EXPECT_EQ(p.crop, (CropRect{0, 0, 41, 50}));
    EXPECT_EQ(p.x, 10 + 29);
    EXPECT_EQ(p.y, 20);

    p = plan({10, 20, 100, 50}, {41, 30}, kCropTopLeft);
    EXPECT_FALSE(p.crop);
    EXPECT_EQ(p.y, 20 + 10);
}

TEST(PlacementGeometry, CropCentreCutsAroundTheMiddle) {
    PlacementPlan p = plan(kSlot, {301, 100}, kCropCentre);
    EXPECT_EQ(p.crop, (CropRect{100, 0, 100, 100}));
    EXPECT_EQ(p.x, 10);
    EXPECT_EQ(p.y, 20);

    p = plan(kSlot, {101, 51}, kCropCentre);
    EXPECT_EQ(p.crop, (CropRect{0, 0, 100, 51}));
    EXPECT_EQ(p.y, 20 + 24);
}

TEST(PlacementGeometry, CustomNegativeValuesSkipLeadingColumnsAndRows) {
    const PlacementPlan p = plan(kSlot, {50, 40}, kCustom, custom(0, 0, kPosValue, -10, kPosValue, -10));
    EXPECT_FALSE(p.resize);
    EXPECT_EQ(p.crop, (CropRect{10, 10, 40, 30}));
    EXPECT_EQ(p.x, 10);
    EXPECT_EQ(p.y, 20);
}

TEST(PlacementGeometry, CustomPositiveValuesCutWhatPassesTheSlot) {
    PlacementPlan p = plan(kSlot, {50, 40}, kCustom, custom(0, 0, kPosValue, 70, kPosValue, 5));
    EXPECT_EQ(p.crop, (CropRect{0, 0, 30, 40}));
    EXPECT_EQ(p.x, 80);
    EXPECT_EQ(p.y, 25);

    p = plan(kSlot, {50, 40}, kCustom, custom(0, 0, kPosValue, 50, kPosValue, 60));
    EXPECT_FALSE(p.crop);
}

TEST(PlacementGeometry, CustomSizeResizesFirst) {
    PlacementPlan p = plan(kSlot, {50, 40}, kCustom, custom(200, 0, kPosStart, 0, kPosEnd, 0));
    EXPECT_EQ(p.resize, (PixelSize{200, 40}));
    EXPECT_EQ(p.crop, (CropRect{0, 0, 100, 40}));
    EXPECT_EQ(p.x, 10);
    EXPECT_EQ(p.y, 20 + 60);

    // A negative size (only a hand-edited file holds one) keeps the picture's own size.
    p = plan(kSlot, {50, 40}, kCustom, custom(-5, 30, kPosStart, 0, kPosStart, 0));
    EXPECT_EQ(p.resize, (PixelSize{50, 30}));
}

TEST(PlacementGeometry, CustomCentreAndEndPositions) {
    PlacementPlan p = plan(kSlot, {51, 40}, kCustom, custom(0, 0, kPosCentre, 0, kPosEnd, 0));
    EXPECT_FALSE(p.crop);
    EXPECT_EQ(p.x, 10 + 24);
    EXPECT_EQ(p.y, 20 + 60);
}

TEST(PlacementGeometry, CustomCentreAndEndKeepTheMiddleAndTrailingPartsOfALargerPicture) {
    PlacementPlan p = plan(kSlot, {301, 130}, kCustom, custom(0, 0, kPosCentre, 0, kPosEnd, 0));
    EXPECT_EQ(p.crop, (CropRect{100, 30, 100, 100}));
    EXPECT_EQ(p.x, 10);
    EXPECT_EQ(p.y, 20);

    p = plan(kSlot, {130, 301}, kCustom, custom(0, 0, kPosEnd, 0, kPosCentre, 0));
    EXPECT_EQ(p.crop, (CropRect{30, 100, 100, 100}));
}

TEST(PlacementGeometry, CustomUnknownPositionCountsAsTheStart) {
    const PlacementPlan p = plan(kSlot, {130, 40}, kCustom, custom(0, 0, 9, 50, -1, 50));
    EXPECT_EQ(p.crop, (CropRect{0, 0, 100, 40}));
    EXPECT_EQ(p.x, 10);
    EXPECT_EQ(p.y, 20);
}

TEST(PlacementGeometry, NothingShowsWhenTheOffsetLeavesTheSlot) {
    const std::vector<Customize> outside = {
        custom(0, 0, kPosValue, 100, kPosStart, 0),      // starts at the slot's right edge
        custom(0, 0, kPosValue, -50, kPosStart, 0),      // every column skipped
        custom(0, 0, kPosStart, 0, kPosValue, INT_MAX),  // sums that would overflow 32 bits
        custom(0, 0, kPosStart, 0, kPosValue, INT_MIN),
    };
    for (const Customize& c : outside)
        EXPECT_FALSE(planPlacement(kSlot, {50, 40}, kCustom, c));
}

TEST(PlacementGeometry, NothingShowsInASlotOrPictureWithoutArea) {
    for (unsigned style = 0; style <= 6; ++style) {
        EXPECT_FALSE(planPlacement({0, 0, 0, 10}, {5, 5}, style, {}));
        EXPECT_FALSE(planPlacement({0, 0, 10, -1}, {5, 5}, style, {}));
        EXPECT_FALSE(planPlacement({0, 0, 10, 10}, {0, 5}, style, {}));
    }
}

TEST(PlacementGeometry, UnknownStyleLeavesThePictureAsRead) {
    const PlacementPlan p = plan(kSlot, {400, 300}, 6);
    EXPECT_FALSE(p.resize);
    EXPECT_FALSE(p.crop);
    EXPECT_EQ(p.x, 10);
    EXPECT_EQ(p.y, 20);
}

// Every style, slot and picture size up to 12 and a set of custom records, against the reference: the
// same picture pixel must show at every target pixel, and nothing may show outside the slot.
TEST(PlacementGeometry, MatchesTheReferenceOnEverySmallCase) {
    std::vector<std::pair<unsigned, Customize>> styles;
    for (unsigned style = 0; style <= 6; ++style) {
        if (style != kCustom) styles.push_back({style, {}});
    }
    for (const Customize& c :
         {Customize{}, custom(0, 0, kPosCentre, 0, kPosCentre, 0), custom(0, 0, kPosEnd, 0, kPosEnd, 0),
          custom(0, 0, kPosValue, 3, kPosValue, -2), custom(0, 0, kPosValue, -4, kPosValue, 5),
          custom(5, 7, kPosCentre, 0, kPosEnd, 0), custom(9, 3, kPosValue, -1, kPosStart, 0),
          custom(0, 0, kPosValue, 11, kPosValue, -11)}) {
        styles.push_back({kCustom, c});
    }
    static constexpr int kMax = 12, kX = 3, kY = 4;
    testing::forEverySmallCase(styles, kMax, [](const testing::SmallCase& k) {
        const testing::ReferencePlacement ref(kX, kY, k.slotW, k.slotH, k.w, k.h, k.style, k.customize);
        const auto p = planPlacement({kX, kY, k.slotW, k.slotH}, {k.w, k.h}, k.style, k.customize);
        const PixelSize resized = p ? p->resize.value_or(PixelSize{k.w, k.h}) : PixelSize{};
        const CropRect kept =
            p ? p->crop.value_or(CropRect{0, 0, resized.width, resized.height}) : CropRect{};
        if (p) {
            ASSERT_EQ(resized, (PixelSize{ref.width(), ref.height()}));
            ASSERT_GE(kept.x, 0);
            ASSERT_GE(kept.y, 0);
            ASSERT_GE(kept.width, 1);
            ASSERT_GE(kept.height, 1);
            ASSERT_LE(kept.x + kept.width, resized.width);
            ASSERT_LE(kept.y + kept.height, resized.height);
            if (k.style <= kCustom) {
                ASSERT_GE(p->x, kX);
                ASSERT_GE(p->y, kY);
                ASSERT_LE(p->x + kept.width, kX + k.slotW);
                ASSERT_LE(p->y + kept.height, kY + k.slotH);
            }
        }
        // One pixel around the slot and the largest picture read as is.
        for (int py = kY - 1; py <= kY + kMax; ++py) {
            for (int px = kX - 1; px <= kX + kMax; ++px) {
                std::optional<testing::ReferencePoint> got;
                if (p && px >= p->x && py >= p->y && px < p->x + kept.width && py < p->y + kept.height) {
                    got = testing::ReferencePoint{kept.x + px - p->x, kept.y + py - p->y};
                }
                if (got != ref.sourceAt(px, py)) FAIL() << "at " << px << "," << py;
            }
        }
    });
}

}  // namespace
}  // namespace plazor
