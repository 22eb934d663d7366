// The main window's part in external tasks: its endpoint, through which the companion program binds,
// hands over one task at a time and unbinds, and the status sent to the bound companion at the end of
// each run. While a companion is bound the window is disabled for the user.
#pragma once

#include <QObject>
#include <QString>

class QTimer;

#include <cstdint>

#include "external/task_host.h"

namespace plazor {

class CommandContext;

namespace external {
class WindowEndpoint;
}

class ExternalTaskLink : public QObject {
    // How often a bound window is checked for having gone away.
    static constexpr int kBoundCheckMs = 2000;

    Q_OBJECT

  public:
    // A child of the main window, listening in `endpointFolder`.
    ExternalTaskLink(CommandContext& context, const QString& endpointFolder);

    const external::WindowEndpoint& endpoint() const { return *endpoint_; }
    bool bound() const { return host_.boundWindow().has_value(); }

  private:
    std::int32_t handle(const external::Request& request);
    void setBound(bool bound);
    // A companion that was killed never unbinds: when its endpoint is missing or refuses connections,
    // the binding ends here and the window is the user's again.
    void releaseGoneWindow();
    // Fills the two folder fields and starts the run; returns when the run has ended.
    void runTask(const external::ExternalTask& task);
    void reportRunEnd(int status);

    CommandContext& context_;
    external::TaskHost host_;
    external::WindowEndpoint* endpoint_;
    QTimer* boundCheck_;
};

// Creates the main window's endpoint in the user's runtime folder, after removing the endpoints that
// killed programs left there.
void installExternalTasks(CommandContext& context);

}  // namespace plazor
