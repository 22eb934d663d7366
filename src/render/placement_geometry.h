// Where and how a source picture is fitted into a paste layer's slot: the geometry of every overflow
// style as a plain computation, so the run and the tests share one exact integer arithmetic.
#pragma once

#include <optional>

#include "template/document.h"

namespace plazor {

struct SlotRect {
    int x = 0, y = 0, width = 0, height = 0;
};

struct PixelSize {
    int width = 0, height = 0;
    bool operator==(const PixelSize&) const = default;
};

// A region of the (resized) picture, relative to its own top-left corner.
struct CropRect {
    int x = 0, y = 0, width = 0, height = 0;
    bool operator==(const CropRect&) const = default;
};

// What to do with a picture, in this order: resize, crop, composite its top-left corner at x, y.
struct PlacementPlan {
    std::optional<PixelSize> resize;
    std::optional<CropRect> crop;
    int x = 0, y = 0;
};

// The plan for a w x h picture in `slot` under `style` (`customize` is used by the custom style).
// Nothing when no part of the picture would show inside the slot: a slot or picture without area, or a
// custom offset that pushes the picture completely out of the slot.
std::optional<PlacementPlan> planPlacement(const SlotRect& slot, PixelSize picture, unsigned style,
                                           const Customize& customize);

}  // namespace plazor
