// The main window's part in external tasks: its endpoint, through which the companion program binds,
// hands over one task at a time and unbinds, and the status sent to the bound companion at the end of
// each run. While a companion is bound the window is disabled for the user.
#pragma once

#include <QObject>
#include <QString>

#include <cstdint>

#include "external/task_host.h"

namespace plazor {

class CommandContext;

namespace external {
class WindowEndpoint;
}

class ExternalTaskLink : public QObject {
    Q_OBJECT

  public:
    // A child of the main window, listening in `endpointFolder`.
    ExternalTaskLink(CommandContext& context, const QString& endpointFolder);

    const external::WindowEndpoint& endpoint() const { return *endpoint_; }
    bool bound() const { return host_.boundWindow().has_value(); }

  private:
    std::int32_t handle(const external::Request& request);
    void setBound(bool bound);
    // Fills the two folder fields and starts the run; returns when the run has ended.
    void runTask(const external::ExternalTask& task);
    void reportRunEnd(int status);

    CommandContext& context_;
    external::TaskHost host_;
    external::WindowEndpoint* endpoint_;
};

// Creates the main window's endpoint in the user's runtime folder.
void installExternalTasks(CommandContext& context);

}  // namespace plazor
