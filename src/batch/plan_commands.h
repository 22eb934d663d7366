// plazor-batch plan, and render --plan: a run decided once, rendered in shares by many workers.
#pragma once

#include <atomic>

#include "batch/commands.h"

namespace plazor::batch {

int planCommand(const Request& request, Streams& io);

int renderPlanCommand(const Request& request, Streams& io, std::atomic<std::atomic<int>*>& stop);

}  // namespace plazor::batch
