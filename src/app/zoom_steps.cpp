#include "app/zoom_steps.h"

#include "app/command_ids.h"

#include <algorithm>

namespace plazor {

int zoomCommand(double zoom) {
    const auto* it = std::ranges::find(kZoomSteps, zoom);
    return it == kZoomSteps.end() ? 0 : cmd::kZoomFirst + static_cast<int>(it - kZoomSteps.begin());
}

double zoomOfCommand(int command) {
    if (command < cmd::kZoomFirst || command > cmd::kZoomLast) return 0;
    return kZoomSteps[static_cast<std::size_t>(command - cmd::kZoomFirst)];
}

}  // namespace plazor
