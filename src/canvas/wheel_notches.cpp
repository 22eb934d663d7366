#include "canvas/wheel_notches.h"

#include <algorithm>

namespace plazor {

int WheelNotches::add(int delta) {
    if ((delta > 0 && rest_ < 0) || (delta < 0 && rest_ > 0)) rest_ = 0;
    rest_ += delta;
    const int notches = rest_ / kWheelNotch;
    rest_ -= notches * kWheelNotch;
    return notches;
}

int zoomStepAfter(int current, int notches, int count) {
    return std::clamp(current + notches, 0, count - 1);
}

}  // namespace plazor
