#include "external/task_host.h"

#include <gtest/gtest.h>

#include "external/companion_replies.h"

namespace plazor::external {
namespace {

const std::string kFirst = "plazor-window-100-1";
const std::string kSecond = "plazor-window-200-1";

HostConditions ready() {
    HostConditions now;
    now.pasteLayers = 1;
    return now;
}

Request bindFrom(const std::string& sender) {
    return {kBindTag, sender, {}};
}

TEST(TaskHost, BindingTwiceFromTheSameWindowIsAcceptedAndAnotherWindowIsRefused) {
    TaskHost host;
    const HostDecision first = host.receive(bindFrom(kFirst), ready());
    EXPECT_EQ(first.reply, kReplyBound);
    EXPECT_EQ(first.effect, HostEffect::Bound);
    EXPECT_EQ(host.receive(bindFrom(kFirst), ready()).reply, kReplyBound);
    const HostDecision second = host.receive(bindFrom(kSecond), ready());
    EXPECT_EQ(second.reply, kReplyBoundToAnother);
    EXPECT_EQ(second.effect, HostEffect::None);
    EXPECT_EQ(host.boundWindow(), kFirst);
}

TEST(TaskHost, NoPasteLayerIsRefusedEvenWhenNothingElseIsWrong) {
    TaskHost host;
    EXPECT_EQ(host.bind(kFirst, HostConditions{}), kReplyNoPasteLayer);
    EXPECT_FALSE(host.boundWindow());
}

TEST(TaskHost, RefusalsAreTestedInTheOrderRunBoundModeLayers) {
    TaskHost host;
    ASSERT_EQ(host.bind(kFirst, ready()), kReplyBound);
    HostConditions everythingWrong;
    everythingWrong.runInProgress = true;
    everythingWrong.subFolderListMode = true;
    everythingWrong.pasteLayers = 0;
    EXPECT_EQ(host.bind(kSecond, everythingWrong), kReplyRunInProgress);
    everythingWrong.runInProgress = false;
    EXPECT_EQ(host.bind(kSecond, everythingWrong), kReplyBoundToAnother);
    // The bound window passes the second test and meets the third.
    EXPECT_EQ(host.bind(kFirst, everythingWrong), kReplySubFolderListMode);
    everythingWrong.subFolderListMode = false;
    EXPECT_EQ(host.bind(kFirst, everythingWrong), kReplyNoPasteLayer);
    // The refusals changed nothing.
    EXPECT_EQ(host.boundWindow(), kFirst);
}

TEST(TaskHost, OnlyTheBoundWindowUnbinds) {
    TaskHost host;
    EXPECT_EQ(host.receive({kUnbindTag, kFirst, {}}, ready()).reply, kReplyNone);
    ASSERT_EQ(host.bind(kFirst, ready()), kReplyBound);
    const HostDecision stranger = host.receive({kUnbindTag, kSecond, {}}, ready());
    EXPECT_EQ(stranger.reply, kReplyNone);
    EXPECT_EQ(stranger.effect, HostEffect::None);
    EXPECT_EQ(host.boundWindow(), kFirst);

    const HostDecision unbound = host.receive({kUnbindTag, kFirst, {}}, ready());
    EXPECT_EQ(unbound.reply, kReplyUnbound);
    EXPECT_EQ(unbound.effect, HostEffect::Unbound);
    EXPECT_FALSE(host.boundWindow());
    // Free again: the other window may bind now.
    EXPECT_EQ(host.bind(kSecond, ready()), kReplyBound);
}

TEST(TaskHost, StartCarriesItsTaskFromAnySenderAndRepliesZero) {
    TaskHost host;
    const ExternalTask task{"/相册/一", "/相册_处理后/一"};
    const HostDecision decision = host.receive({kStartTag, kSecond, *encodeStartPayload(task)}, ready());
    EXPECT_EQ(decision.reply, kReplyNone);
    EXPECT_EQ(decision.effect, HostEffect::StartTask);
    EXPECT_EQ(decision.task, task);
}

TEST(TaskHost, BrokenStartsStatusesAndStrangeTagsAreAnsweredZeroWithoutEffect) {
    TaskHost host;
    for (const Request& request : {Request{kStartTag, kFirst, "short"},
                                   Request{kStatusTag, kFirst, "\1\0\0\0"}, Request{12345u, kFirst, {}}}) {
        const HostDecision decision = host.receive(request, ready());
        EXPECT_EQ(decision.reply, kReplyNone);
        EXPECT_EQ(decision.effect, HostEffect::None);
    }
}

TEST(TaskHost, ASenderThatIsNoEndpointCannotBind) {
    TaskHost host;
    EXPECT_EQ(host.bind("", ready()), kReplyNone);
    EXPECT_EQ(host.bind("../../tmp/socket", ready()), kReplyNone);
    EXPECT_FALSE(host.boundWindow());
}

TEST(CompanionReplies, EveryRefusalHasItsMessageAndOtherValuesCountAsBound) {
    EXPECT_EQ(bindRefusalText(0),
              "【Plazor图片排版工具】没有响应绑定消息。\n\n请检查【Plazor图片排版工具】是否已启动。");
    EXPECT_EQ(bindRefusalText(2), "【Plazor图片排版工具】已经绑定了另一个窗口，不接受当前绑定。");
    EXPECT_EQ(bindRefusalText(3), "【Plazor图片排版工具】当前正在处理图片，不接受当前绑定。");
    EXPECT_EQ(bindRefusalText(4),
              "【Plazor图片排版工具】当前【贴图层】源图片文件夹加载模式不支持【绑定】。\n\n"
              "请先更改【贴图层】源图片文件夹加载模式。");
    EXPECT_EQ(bindRefusalText(5),
              "【Plazor图片排版工具】当前没有创建【贴图层】选区。\n\n请至少创建一个【贴图层】选区。");
    EXPECT_FALSE(bindRefusalText(1));
    EXPECT_FALSE(bindRefusalText(6));
    EXPECT_FALSE(bindRefusalText(-1));
}

TEST(CompanionReplies, StatusOneWakesTwoStopsOthersAreIgnored) {
    EXPECT_EQ(statusAction(1), StatusAction::Wake);
    EXPECT_EQ(statusAction(2), StatusAction::StopAndWake);
    EXPECT_EQ(statusAction(0), StatusAction::Ignore);
    EXPECT_EQ(statusAction(3), StatusAction::Ignore);
}

}  // namespace
}  // namespace plazor::external
