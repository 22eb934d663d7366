// The program's local event log, "$XDG_STATE_HOME/plazor/events.log" (else
// "~/.local/state/plazor/events.log"): one line "<UTC time> <event name> <text>" per event, such as
// "AppCrash" from the crash handler.
#pragma once

#include <cstddef>
#include <ctime>
#include <string>

namespace plazor {

// The log's path; its folder is created when missing. Empty when no folder can be had.
std::string prepareEventLog();

// Writes `when` as "YYYY-MM-DDTHH:MM:SSZ" (UTC) into `out` and returns the length (0 when `size` is
// below 21). Pure arithmetic, so a signal handler may call it.
std::size_t formatEventTime(char* out, std::size_t size, std::time_t when);

}  // namespace plazor
