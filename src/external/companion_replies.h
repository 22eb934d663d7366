// The companion's side of the external task protocol: what it tells the user about a bind's reply and
// what it does on a status message.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace plazor::external {

// The message for a refused bind: replies 0 (no answer), 2, 3, 4 and 5. Nothing for 1 and for any
// other value, which count as accepted. The companion shows it with the title "提示" and the warning
// icon.
std::optional<std::string> bindRefusalText(std::int32_t reply);

enum class StatusAction {
    Wake,         // the run finished: the worker goes on
    StopAndWake,  // the run was stopped: the series stops, then the worker wakes
    Ignore,
};

StatusAction statusAction(std::int32_t status);

}  // namespace plazor::external
