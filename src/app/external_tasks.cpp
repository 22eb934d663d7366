#include "app/external_tasks.h"

#include <QLineEdit>
#include <QTimer>

#include "app/command_ids.h"
#include "app/commands/command_context.h"
#include "app/main_window.h"
#include "app/preferences.h"
#include "app/run_controller.h"
#include "external/endpoint_client.h"
#include "external/endpoints.h"
#include "external/window_endpoint.h"
#include "template/document.h"
#include "util/window_names.h"

namespace plazor {

using namespace external;

ExternalTaskLink::ExternalTaskLink(CommandContext& context, const QString& endpointFolder)
    : QObject(&context.window()),
      context_(context),
      endpoint_(new WindowEndpoint(
          endpointFolder, window_names::kMainWindowClass,
          [&window = context.window()] { return window.windowTitle(); },
          [this](const Request& request) { return handle(request); }, this)),
      boundCheck_(new QTimer(this)) {
    context.run.setRunEndHook([this](int status) { reportRunEnd(status); });
    connect(boundCheck_, &QTimer::timeout, this, &ExternalTaskLink::releaseGoneWindow);
}

std::int32_t ExternalTaskLink::handle(const Request& request) {
    HostConditions now;
    now.runInProgress = context_.run.runInProgress();
    now.subFolderListMode = context_.prefs().loadMode == kSubFolderListMode;
    now.pasteLayers = context_.doc().pasteLayers.size();
    // A dead companion must not keep a new one out.
    if (request.tag == kBindTag) releaseGoneWindow();
    const HostDecision decision = host_.receive(request, now);
    switch (decision.effect) {
        case HostEffect::Bound:
            setBound(true);
            break;
        case HostEffect::Unbound:
            setBound(false);
            break;
        case HostEffect::StartTask:
            runTask(decision.task);
            break;
        case HostEffect::None:
            break;
    }
    return decision.reply;
}

void ExternalTaskLink::setBound(bool bound) {
    context_.run.setExternalTaskBound(bound);
    if (bound) {
        boundCheck_->start(kBoundCheckMs);
    } else {
        boundCheck_->stop();
    }
    // An unbind during a run leaves the window to the run, which enables it when it ends.
    if (bound || !context_.run.runInProgress()) context_.window().setEnabled(!bound);
}

void ExternalTaskLink::releaseGoneWindow() {
    const std::optional<std::string>& bound = host_.boundWindow();
    if (!bound || !endpointGone(endpointPath(endpoint_->folder(), QString::fromStdString(*bound)))) return;
    host_.releaseGoneWindow();
    setBound(false);
}

void ExternalTaskLink::runTask(const ExternalTask& task) {
    // The start command refuses a start during a run; the fields keep showing what is being written.
    if (context_.run.runInProgress()) return;
    const PanelControls& panel = context_.window().panel();
    panel.sourceFolder->setText(QString::fromStdString(task.sourceFolder));
    panel.outputFolder->setText(QString::fromStdString(task.outputFolder));
    context_.window().onCommand(ctl::kStart);
}

void ExternalTaskLink::reportRunEnd(int status) {
    const std::optional<std::string>& bound = host_.boundWindow();
    if (!bound) return;
    // The companion answers at once; one that has gone away misses the status and loses its binding.
    const std::optional<Reply> reply = exchange(
        endpointPath(endpoint_->folder(), QString::fromStdString(*bound)),
        {kStatusTag, endpoint_->name().toStdString(), encodeStatusPayload(status)}, kAnswerTimeoutMs);
    if (!reply) releaseGoneWindow();
}

void installExternalTasks(CommandContext& context) {
    const QString folder = defaultEndpointFolder();
    removeStaleEndpoints(folder);
    new ExternalTaskLink(context, folder);
}

}  // namespace plazor
