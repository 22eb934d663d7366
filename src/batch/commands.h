// What each plazor-batch command does. Output goes to the given streams so tests can read it.
#pragma once

#include <atomic>
#include <ostream>

#include "batch/cli_options.h"

namespace plazor::batch {

struct Streams {
    std::ostream& out;
    std::ostream& err;
    bool progressOnTerminal = false;  // draw a progress line on `err`
};

// Runs a parsed request and returns the process's exit code. While a render runs, `stop` points at
// its stop flag, so that Ctrl+C can set it.
int runRequest(const Request& request, Streams streams, std::atomic<std::atomic<int>*>& stop);

}  // namespace plazor::batch
