// The main window's side of the external task protocol as a plain state machine: which window is
// bound, and the reply to each request in the order of its checks. The caller applies the effect
// (disabling or enabling the window, running the task) and sends the reply.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "external/frame.h"
#include "external/protocol.h"

namespace plazor::external {

// Replies to a bind.
inline constexpr std::int32_t kReplyNone =
    0;  // also the reply to start, to a refused unbind and to strangers
inline constexpr std::int32_t kReplyBound = 1;
inline constexpr std::int32_t kReplyBoundToAnother = 2;
inline constexpr std::int32_t kReplyRunInProgress = 3;
inline constexpr std::int32_t kReplySubFolderListMode = 4;
inline constexpr std::int32_t kReplyNoPasteLayer = 5;
inline constexpr std::int32_t kReplyUnbound = 1;

// The main window's state as a bind sees it.
struct HostConditions {
    bool runInProgress = false;
    bool subFolderListMode = false;
    std::size_t pasteLayers = 0;
};

enum class HostEffect {
    None,
    Bound,      // the window is disabled for the user
    Unbound,    // the window is enabled again
    StartTask,  // fill the two folder fields and start the run; the reply waits for the run's end
};

struct HostDecision {
    std::int32_t reply = kReplyNone;
    HostEffect effect = HostEffect::None;
    ExternalTask task;  // for StartTask
};

class TaskHost {
  public:
    HostDecision receive(const Request& request, const HostConditions& now);

    // Refused, in this order: a run in progress (3), another window bound (2), sub-folder list mode (4),
    // no paste layer (5). The bound window may bind again. A sender that is not a window endpoint
    // could not be told of a run's end and gets no answer (0).
    std::int32_t bind(std::string_view sender, const HostConditions& now);
    // Only the bound window may unbind (1); anyone else is ignored (0).
    std::int32_t unbind(std::string_view sender);

    // Forgets the bound window without an unbind: it has gone away and will never send one.
    void releaseGoneWindow() { bound_.reset(); }

    // The endpoint name of the bound window.
    const std::optional<std::string>& boundWindow() const { return bound_; }

  private:
    std::optional<std::string> bound_;
};

}  // namespace plazor::external
