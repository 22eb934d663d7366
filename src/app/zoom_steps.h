// The canvas zoom steps, smallest first. The zoom pop-up offers one command per step (cmd::kZoomFirst
// to cmd::kZoomLast) and Ctrl+wheel moves between neighbouring steps.
#pragma once

#include <array>

namespace plazor {

inline constexpr std::array<double, 11> kZoomSteps = {0.25, 0.5, 0.75, 1, 2, 3, 4, 5, 6, 7, 8};

// The zoom pop-up command of a zoom step; 0 when the zoom is not one of the steps.
int zoomCommand(double zoom);
// The zoom of a zoom pop-up command; 0 for any other command.
double zoomOfCommand(int command);

}  // namespace plazor
