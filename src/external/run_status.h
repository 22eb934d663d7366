// The status an external task gets at the end of its run.
#pragma once

#include <cstdint>

#include "render/render_run.h"

namespace plazor::external {

inline constexpr std::int32_t kRunFinishedStatus = 1;
inline constexpr std::int32_t kRunStoppedStatus = 2;

inline std::int32_t runEndStatus(RunEnd end) {
    return end == RunEnd::kFinished ? kRunFinishedStatus : kRunStoppedStatus;
}

}  // namespace plazor::external
