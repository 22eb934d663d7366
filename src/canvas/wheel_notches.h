// Ctrl+wheel zoom by whole notches. A wheel reports turns in eighths of a degree, 120 to a notch; a
// touchpad or a fine wheel sends parts of a notch. The parts add up, and each full notch in either
// direction moves one zoom step, by the sign of the turn.
#pragma once

namespace plazor {

inline constexpr int kWheelNotch = 120;

class WheelNotches {
  public:
    // Adds a turn and returns the whole notches completed (negative backwards); the rest is kept. A
    // turn against the direction of the kept rest starts afresh.
    int add(int delta);

  private:
    int rest_ = 0;
};

// The zoom step `notches` steps from `current` among `count` steps, stopping at either end.
int zoomStepAfter(int current, int notches, int count);

}  // namespace plazor
