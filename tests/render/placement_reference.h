// An independent model of picture placement for the tests: the (resized) picture lies at an offset from
// the slot's top-left corner and the slot clips it. It answers, for any pixel of the target, which pixel
// of the fitted picture shows there. Sizes come from exact integer arithmetic.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "template/document.h"

namespace plazor::testing {

struct ReferencePoint {
    int x = 0, y = 0;
    bool operator==(const ReferencePoint&) const = default;
};

class ReferencePlacement {
  public:
    ReferencePlacement(int slotX, int slotY, int slotW, int slotH, int w, int h, unsigned style,
                       const Customize& c)
        : slotX_(slotX), slotY_(slotY), slotW_(slotW), slotH_(slotH) {
        clipped_ = style <= kCustom;
        width_ = w;
        height_ = h;
        switch (style) {
            case kShrinkToFit:
                if (w > slotW || h > slotH) fit(w, h);
                centreWhole();
                break;
            case kStretch:
                width_ = slotW;
                height_ = slotH;
                break;
            case kCropTopLeft:
                offsetX_ = w < slotW ? centred(slotW, w) : 0;
                offsetY_ = h < slotH ? centred(slotH, h) : 0;
                break;
            case kCropCentre:
                offsetX_ = centred(slotW, w);
                offsetY_ = centred(slotH, h);
                break;
            case kScaleToFit:
                fit(w, h);
                centreWhole();
                break;
            case kCustom:
                if (c.width > 0) width_ = c.width;
                if (c.height > 0) height_ = c.height;
                offsetX_ = customOffset(slotW, width_, c.horizontalPosition, c.left);
                offsetY_ = customOffset(slotH, height_, c.verticalPosition, c.top);
                break;
            default:
                break;
        }
    }

    int width() const { return width_; }    // the picture's width after resizing
    int height() const { return height_; }  // and its height

    // The pixel of the resized picture that shows at target pixel (px, py), if any.
    std::optional<ReferencePoint> sourceAt(int px, int py) const {
        const int dx = px - slotX_, dy = py - slotY_;
        if (clipped_ && (dx < 0 || dy < 0 || dx >= slotW_ || dy >= slotH_)) return std::nullopt;
        const int sx = dx - offsetX_, sy = dy - offsetY_;
        if (sx < 0 || sy < 0 || sx >= width_ || sy >= height_) return std::nullopt;
        return ReferencePoint{sx, sy};
    }

  private:
    // The centre of a picture of length `length` meets the slot's centre; an odd leftover pixel goes
    // after the picture when it is shorter, and the picture's extra odd pixel lies after the slot when
    // it is longer.
    static int centred(int slotLength, int length) {
        const int leftover = slotLength - length;
        return leftover >= 0 ? leftover / 2 : -((-leftover) / 2);
    }

    static int customOffset(int slotLength, int length, int position, int value) {
        switch (position) {
            case kPosCentre:
                return centred(slotLength, length);
            case kPosEnd:
                return slotLength - length;
            case kPosValue:
                return value;
            default:
                return 0;
        }
    }

    // The largest picture of the same aspect ratio that fits the slot (at least one pixel each way).
    void fit(int w, int h) {
        if (static_cast<long long>(slotW_) * h <= static_cast<long long>(slotH_) * w) {
            width_ = slotW_;
            height_ = std::max(1, static_cast<int>(static_cast<long long>(h) * slotW_ / w));
        } else {
            height_ = slotH_;
            width_ = std::max(1, static_cast<int>(static_cast<long long>(w) * slotH_ / h));
        }
    }

    void centreWhole() {
        offsetX_ = (slotW_ - width_) / 2;
        offsetY_ = (slotH_ - height_) / 2;
    }

    int slotX_, slotY_, slotW_, slotH_;
    bool clipped_ = true;
    int width_ = 0, height_ = 0;
    int offsetX_ = 0, offsetY_ = 0;
};

struct SmallCase {
    unsigned style = 0;
    Customize customize;
    int slotW = 0, slotH = 0, w = 0, h = 0;
};

inline std::string describe(const SmallCase& k) {
    const Customize& c = k.customize;
    std::ostringstream out;
    out << "style " << k.style << " slot " << k.slotW << "x" << k.slotH << " picture " << k.w << "x" << k.h
        << " custom " << c.width << "," << c.height << "," << c.horizontalPosition << "," << c.left << ","
        << c.verticalPosition << "," << c.top;
    return out.str();
}

// Runs `check` on every slot and picture size from 1 to `maxSize` for each style and custom record,
// stopping at the first fatal failure.
template <typename Check>
void forEverySmallCase(const std::vector<std::pair<unsigned, Customize>>& styles, int maxSize, Check check) {
    for (const auto& [style, customize] : styles) {
        for (int slotW = 1; slotW <= maxSize; ++slotW) {
            for (int slotH = 1; slotH <= maxSize; ++slotH) {
                for (int w = 1; w <= maxSize; ++w) {
                    for (int h = 1; h <= maxSize; ++h) {
                        const SmallCase k{style, customize, slotW, slotH, w, h};
                        SCOPED_TRACE(describe(k));
                        check(k);
                        if (::testing::Test::HasFatalFailure()) return;
                    }
                }
            }
        }
    }
}

}  // namespace plazor::testing
