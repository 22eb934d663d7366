#include "render/placement_geometry.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace plazor {
namespace {

// Centring halves a non-negative difference, rounding toward minus infinity.
int half(int difference) {
    return difference >> 1;
}

// A plan that only moves the picture's top-left corner to x, y.
PlacementPlan placedAt(int x, int y) {
    PlacementPlan plan;
    plan.x = x;
    plan.y = y;
    return plan;
}

// One axis of a placement: the picture's pixels offset .. offset + length - 1 go to position onward.
struct AxisPart {
    int position = 0;
    int offset = 0;
    int length = 0;
};

// The crop styles on one axis: a shorter picture is centred whole; a longer one is cut to the slot,
// from its start or around its middle.
AxisPart cropAxis(int start, int slotLength, int pictureLength, bool fromMiddle) {
    if (pictureLength < slotLength) return {start + half(slotLength - pictureLength), 0, pictureLength};
    return {start, fromMiddle ? half(pictureLength - slotLength) : 0, slotLength};
}

// The custom style on one axis. Nothing when the offset pushes the whole picture out of the slot.
// Offsets come from the template file unchecked, so the sums are taken in 64 bits.
std::optional<AxisPart> customAxis(int start, int slotLength, int pictureLength, int position, int value) {
    switch (position) {
        case kPosCentre:
            return cropAxis(start, slotLength, pictureLength, true);
        case kPosEnd:
            if (pictureLength <= slotLength)
                return AxisPart{start + slotLength - pictureLength, 0, pictureLength};
            // Too long for the slot: keep the trailing part, so the picture still ends at the slot's end.
            return AxisPart{start, pictureLength - slotLength, slotLength};
        case kPosValue: {
            const std::int64_t v = value;
            const std::int64_t length = v >= 0 ? std::min<std::int64_t>(pictureLength, slotLength - v)
                                               : std::min<std::int64_t>(pictureLength + v, slotLength);
            if (length < 1) return std::nullopt;
            if (v >= 0) return AxisPart{static_cast<int>(start + v), 0, static_cast<int>(length)};
            return AxisPart{start, static_cast<int>(-v), static_cast<int>(length)};
        }
        default:  // left / top; an unknown position from a hand-edited file is taken as this one
            return AxisPart{start, 0, std::min(pictureLength, slotLength)};
    }
}

// The plan for a picture of `size` whose kept part and position are given per axis; the picture is
// cropped only when something has to be cut away.
PlacementPlan planFromAxes(PixelSize size, const AxisPart& h, const AxisPart& v) {
    PlacementPlan plan = placedAt(h.position, v.position);
    if (h.offset != 0 || v.offset != 0 || h.length != size.width || v.length != size.height) {
        plan.crop = CropRect{h.offset, v.offset, h.length, v.length};
    }
    return plan;
}

// Shrinks a picture larger than the slot on either axis to fit it, keeping the aspect ratio, and
// centres it on the axes where it ends up shorter than the slot.
PlacementPlan shrinkLargerPicture(const SlotRect& slot, PixelSize picture) {
    const double s = std::min(static_cast<double>(slot.width) / picture.width,
                              static_cast<double>(slot.height) / picture.height);
    const PixelSize n{std::max(1, static_cast<int>(std::trunc(picture.width * s))),
                      std::max(1, static_cast<int>(std::trunc(picture.height * s)))};
    PlacementPlan plan = placedAt(slot.x, slot.y);
    plan.resize = n;
    if (n.width < slot.width) plan.x += half(slot.width - n.width);
    if (n.height < slot.height) plan.y += half(slot.height - n.height);
    return plan;
}

bool largerThanSlot(const SlotRect& slot, PixelSize picture) {
    return picture.width > slot.width || picture.height > slot.height;
}

PlacementPlan shrinkToFit(const SlotRect& slot, PixelSize picture) {
    if (largerThanSlot(slot, picture)) return shrinkLargerPicture(slot, picture);
    return placedAt(slot.x + half(slot.width - picture.width), slot.y + half(slot.height - picture.height));
}

PlacementPlan stretch(const SlotRect& slot, PixelSize picture) {
    PlacementPlan plan = placedAt(slot.x, slot.y);
    const PixelSize target{slot.width, slot.height};
    if (picture != target) plan.resize = target;
    return plan;
}

PlacementPlan scaleToFit(const SlotRect& slot, PixelSize picture) {
    if (largerThanSlot(slot, picture)) return shrinkLargerPicture(slot, picture);
    const double k = std::max(static_cast<double>(picture.width) / slot.width,
                              static_cast<double>(picture.height) / slot.height);
    // The truncation is of the double quotient: a result just below an integer loses one pixel.
    const PixelSize n{static_cast<int>(std::trunc(picture.width / k)),
                      static_cast<int>(std::trunc(picture.height / k))};
    PlacementPlan plan = placedAt(slot.x, slot.y);
    if (n != picture) plan.resize = n;
    if (n.width < slot.width) plan.x += half(slot.width - n.width);
    if (n.height < slot.height) plan.y += half(slot.height - n.height);
    return plan;
}

PlacementPlan crop(const SlotRect& slot, PixelSize picture, bool fromMiddle) {
    return planFromAxes(picture, cropAxis(slot.x, slot.width, picture.width, fromMiddle),
                        cropAxis(slot.y, slot.height, picture.height, fromMiddle));
}

std::optional<PlacementPlan> custom(const SlotRect& slot, PixelSize picture, const Customize& c) {
    // A size of 0 keeps the picture's own size; so does a negative one, which only a hand-edited
    // file can hold and which no resize could honour.
    const PixelSize target{c.width > 0 ? c.width : picture.width, c.height > 0 ? c.height : picture.height};
    const auto h = customAxis(slot.x, slot.width, target.width, c.horizontalPosition, c.left);
    const auto v = customAxis(slot.y, slot.height, target.height, c.verticalPosition, c.top);
    if (!h || !v) return std::nullopt;
    PlacementPlan plan = planFromAxes(target, *h, *v);
    if (target != picture) plan.resize = target;
    return plan;
}

}  // namespace

std::optional<PlacementPlan> planPlacement(const SlotRect& slot, PixelSize picture, unsigned style,
                                           const Customize& customize) {
    if (slot.width < 1 || slot.height < 1 || picture.width < 1 || picture.height < 1) return std::nullopt;
    switch (style) {
        case kShrinkToFit:
            return shrinkToFit(slot, picture);
        case kStretch:
            return stretch(slot, picture);
        case kCropTopLeft:
            return crop(slot, picture, false);
        case kCropCentre:
            return crop(slot, picture, true);
        case kScaleToFit:
            return scaleToFit(slot, picture);
        case kCustom:
            return custom(slot, picture, customize);
        default:
            return placedAt(slot.x, slot.y);
    }
}

}  // namespace plazor
