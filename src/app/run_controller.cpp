#include "app/run_controller.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QWidget>

#include <algorithm>
#include <thread>
#include <utility>

#include "app/progress_window.h"
#include "app/run_check_notice.h"
#include "external/run_status.h"
#include "render/canvas_budget.h"
#include "shell/completion_question.h"
#include "shell/ui_port.h"

namespace plazor {

std::vector<QString> runSummaryLines(const RunSummary& summary) {
    std::vector<QString> lines;
    if (summary.workers < summary.requestedWorkers) {
        lines.push_back(QCoreApplication::translate(
                            "plazor::RunController",
                            "画布较大，本次用 %1 个线程代替 %2 个（每个线程的画布需要 %3 内存）。")
                            .arg(summary.workers)
                            .arg(summary.requestedWorkers)
                            .arg(QString::fromStdString(byteSizeText(summary.workerBytes))));
    }
    if (summary.unwritten > 0) {
        lines.push_back(QCoreApplication::translate("plazor::RunController", "%1 张图片中有 %2 张未能写入。")
                            .arg(summary.rendered)
                            .arg(summary.unwritten));
    }
    return lines;
}

int defaultRunJobs() {
    return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

RunController::RunController(UiPort& ui, QWidget* mainWindow)
    : QObject(mainWindow),
      ui_(ui),
      mainWindow_(mainWindow),
      progress_(new ProgressWindow(mainWindow)),
      threadStarter_([](RenderRun& run) { return run.start(); }) {
    // Blocking: a worker goes on only once the window thread has handled its report, as with a sent
    // window message. The worker never emits these from the window thread, which would deadlock.
    connect(
        this, &RunController::workerProgress, this, [this](int batch) { progress_->showBatch(batch); },
        Qt::BlockingQueuedConnection);
    connect(
        this, &RunController::workerInfo, this,
        [this](const QString& line, bool blankAfter) {
            if (infoSink_) infoSink_(line, blankAfter);
        },
        Qt::BlockingQueuedConnection);
    connect(this, &RunController::workerEnded, this, &RunController::onWorkerEnded,
            Qt::BlockingQueuedConnection);
    connect(progress_, &ProgressWindow::stopRequested, this, [this] {
        if (stopFlag_) *stopFlag_ = 1;
    });
}

void RunController::setInfoSink(std::function<void(const QString&, bool)> sink) {
    infoSink_ = std::move(sink);
}

void RunController::setRunEndHook(std::function<void(int status)> hook) {
    runEndHook_ = std::move(hook);
}

void RunController::setExternalTaskBound(bool bound) {
    externalTaskBound_ = bound;
}

void RunController::setThreadStarter(std::function<bool(RenderRun&)> starter) {
    threadStarter_ = std::move(starter);
}

RunOutcome RunController::run(RunRequest request, bool completedAlert) {
    RunOutcome outcome;
    // A start that arrives while the local loop runs (an external task's message) must not nest a run.
    if (running_) return outcome;

    const LoadMode mode = request.mode;
    PreparedRun prepared = prepareRun(std::move(request));
    if (!prepared.ok()) {
        outcome.failure = std::move(prepared.failure);
        return outcome;
    }
    const std::string outputFolder = prepared.job.outputFolder;

    RunCallbacks callbacks;
    callbacks.progress = [this](int batch) { emit workerProgress(batch); };
    callbacks.info = [this](const InfoLine& line) {
        emit workerInfo(QString::fromStdString(line.text), line.blankAfter);
    };
    callbacks.ended = [this](RunEnd end) { emit workerEnded(static_cast<int>(end)); };
    RenderRun renderRun(std::move(prepared.job), std::move(callbacks));

    running_ = true;
    ended_ = false;
    // An external task's run stays one even when its companion unbinds before the end.
    const bool externalTask = externalTaskBound_;
    mode_ = mode;
    if (!threadStarter_(renderRun)) {
        // Ending the program here would lose the unsaved template: tell the user and start nothing.
        running_ = false;
        showMessage(ui_, mainWindow_, tr("启动线程失败"), tr("提示"), UiIcon::Error);
        return outcome;
    }
    stopFlag_ = &renderRun.stopFlag();

    progress_->beginRun(renderRun.batchCount());
    mainWindow_->setEnabled(false);
    progress_->setEnabled(true);  // a window is not disabled with its owner once enabled on its own
    waitForEnd();
    outcome.end = renderRun.wait();
    outcome.summary = renderRun.summary();
    stopFlag_ = nullptr;
    if (infoSink_) {
        for (const QString& line : runSummaryLines(outcome.summary))
            infoSink_(line, true);
    }

    progress_->endRun();
    mainWindow_->setEnabled(!externalTaskBound_);
    mainWindow_->raise();
    mainWindow_->activateWindow();

    if (outcome.end == RunEnd::kFinished && completedAlert && !externalTask && !externalTaskBound_) {
        askToOpenOutput(outputFolder);
    }
    return outcome;
}

void RunController::waitForEnd() {
    QEventLoop loop;
    loop_ = &loop;
    if (!ended_) loop.exec();
    loop_ = nullptr;
    if (ended_) return;
    // The application is quitting, which ends every event loop at once. Stop the run and keep handling
    // its reports, each of which its worker waits for, until the end arrives.
    if (stopFlag_) *stopFlag_ = 1;
    while (!ended_)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void RunController::onWorkerEnded(int end) {
    lastStatus_ = external::runEndStatus(static_cast<RunEnd>(end));
    // Only picture list mode runs report to an external task (binding is refused in the other mode).
    if (mode_ == kPictureListMode && runEndHook_) runEndHook_(lastStatus_);
    running_ = false;
    ended_ = true;
    if (loop_) loop_->quit();
}

void RunController::askToOpenOutput(const std::string& outputFolder) {
    askToOpenOutputFolder(ui_, mainWindow_, outputFolder);
}

}  // namespace plazor
