#include "external/companion_replies.h"

#include "external/protocol.h"
#include "external/task_host.h"

namespace plazor::external {

std::optional<std::string> bindRefusalText(std::int32_t reply) {
    switch (reply) {
        case kReplyNone:
            return "【Plazor图片排版工具】没有响应绑定消息。\n\n请检查【Plazor图片排版工具】是否已启动。";
        case kReplyBoundToAnother:
            return "【Plazor图片排版工具】已经绑定了另一个窗口，不接受当前绑定。";
        case kReplyRunInProgress:
            return "【Plazor图片排版工具】当前正在处理图片，不接受当前绑定。";
        case kReplySubFolderListMode:
            return "【Plazor图片排版工具】当前【贴图层】源图片文件夹加载模式不支持【绑定】。\n\n"
                   "请先更改【贴图层】源图片文件夹加载模式。";
        case kReplyNoPasteLayer:
            return "【Plazor图片排版工具】当前没有创建【贴图层】选区。\n\n请至少创建一个【贴图层】选区。";
        default:
            return std::nullopt;
    }
}

StatusAction statusAction(std::int32_t status) {
    if (status == kStatusFinished) return StatusAction::Wake;
    if (status == kStatusStopped) return StatusAction::StopAndWake;
    return StatusAction::Ignore;
}

}  // namespace plazor::external
