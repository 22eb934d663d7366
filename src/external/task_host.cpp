#include "external/task_host.h"

namespace plazor::external {

HostDecision TaskHost::receive(const Request& request, const HostConditions& now) {
    if (request.tag == kBindTag) {
        const std::int32_t reply = bind(request.sender, now);
        return {reply, reply == kReplyBound ? HostEffect::Bound : HostEffect::None, {}};
    }
    if (request.tag == kUnbindTag) {
        const std::int32_t reply = unbind(request.sender);
        return {reply, reply == kReplyUnbound ? HostEffect::Unbound : HostEffect::None, {}};
    }
    if (request.tag == kStartTag) {
        // The sender is not compared with the bound window. A payload of the wrong size, without its
        // terminators or with unreadable paths starts nothing.
        if (std::optional<ExternalTask> task = decodeStartPayload(request.payload)) {
            return {kReplyNone, HostEffect::StartTask, std::move(*task)};
        }
    }
    return {};
}

std::int32_t TaskHost::bind(std::string_view sender, const HostConditions& now) {
    if (!isEndpointName(sender)) return kReplyNone;
    if (now.runInProgress) return kReplyRunInProgress;
    if (bound_ && *bound_ != sender) return kReplyBoundToAnother;
    if (now.subFolderListMode) return kReplySubFolderListMode;
    if (now.pasteLayers == 0) return kReplyNoPasteLayer;
    bound_ = std::string(sender);
    return kReplyBound;
}

std::int32_t TaskHost::unbind(std::string_view sender) {
    if (!bound_ || *bound_ != sender) return kReplyNone;
    bound_.reset();
    return kReplyUnbound;
}

}  // namespace plazor::external
