// Starts a run for the main window and keeps the window thread's side of it: the checks, the progress
// window with its local event loop, the worker's reports and the end of the run with its question.
// The worker's callbacks arrive as blocking queued signals, so a worker waits until the window thread
// has handled each report; the window thread never blocks on the worker while a report is pending.
#pragma once

#include <QObject>
#include <QString>

#include <atomic>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "render/render_run.h"
#include "render/run_checks.h"
#include "render/run_request.h"

class QEventLoop;
class QWidget;

namespace plazor {

class ProgressWindow;
class UiPort;

// One worker per core.
int defaultRunJobs();

struct RunOutcome {
    std::optional<RunCheckFailure> failure;  // a check failed: nothing started, the caller shows it
    std::optional<RunEnd> end;               // how the run ended; empty when none ran
    RunSummary summary;                      // what the run did, when one ran
};

// The info lines that end a run: the pictures that could not be written, and fewer workers than
// asked for because their canvases would not fit in memory. None for a run without either. The
// window follows each with an empty line.
std::vector<QString> runSummaryLines(const RunSummary& summary);

class RunController : public QObject {
    Q_OBJECT

  public:
    // Creates the progress window, owned by `mainWindow`, which also owns the controller.
    RunController(UiPort& ui, QWidget* mainWindow);

    ProgressWindow* progressWindow() const { return progress_; }

    // Receives the run's info lines on the window thread.
    void setInfoSink(std::function<void(const QString& line, bool blankAfter)> sink);
    // Called on the window thread at the end of a picture list mode run with its external status,
    // while the run still counts as in progress.
    void setRunEndHook(std::function<void(int status)> hook);
    // While an external task is bound the main window stays disabled after a run and the completion
    // question is not asked.
    void setExternalTaskBound(bool bound);
    // Starts the run's thread; replaceable so that a failing thread start can be tried.
    void setThreadStarter(std::function<bool(RenderRun&)> starter);

    bool runInProgress() const { return running_; }
    // 1 when the last run finished, 2 when it was stopped; 0 before the first run.
    int lastExternalStatus() const { return lastStatus_; }

    // Checks and prepares the request, runs it and returns when the run has ended and the progress
    // window is hidden; a finished run asks to open its output when `completedAlert` (the preference
    // completed_alert) is on. Nothing starts while another run is in progress.
    RunOutcome run(RunRequest request, bool completedAlert);

  signals:
    // Emitted by the worker threads only.
    void workerProgress(int batch);
    void workerInfo(const QString& line, bool blankAfter);
    void workerEnded(int end);

  private:
    void onWorkerEnded(int end);
    void waitForEnd();
    void askToOpenOutput(const std::string& outputFolder);

    UiPort& ui_;
    QWidget* mainWindow_;
    ProgressWindow* progress_;
    std::function<void(const QString&, bool)> infoSink_;
    std::function<void(int)> runEndHook_;
    std::function<bool(RenderRun&)> threadStarter_;
    bool externalTaskBound_ = false;

    bool running_ = false;
    bool ended_ = false;
    int lastStatus_ = 0;
    LoadMode mode_ = kPictureListMode;
    std::atomic<int>* stopFlag_ = nullptr;  // the running run's flag
    QEventLoop* loop_ = nullptr;            // the local loop while it runs
};

}  // namespace plazor
