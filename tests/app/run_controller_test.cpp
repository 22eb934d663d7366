// Runs started from the window side: the progress window, stopping, the end of a run and its question.
#include "app/run_controller.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QThread>
#include <QUrl>

#include <filesystem>

#include "app/progress_window.h"
#include "support/file_size_limit.h"
#include "support/pictures.h"
#include "support/recording_ui_port.h"
#include "support/temp_dir.h"
#include "template/document.h"

namespace plazor {
namespace {

namespace fs = std::filesystem;
using testing::makeFilled;
using testing::RecordingUiPort;
using testing::TempDir;
using testing::writeFile;

void writePicture(const fs::path& path) {
    fs::create_directories(path.parent_path());
    Wand wand = makeFilled(8, 8, "#ff0000");
    MagickSetImageFormat(wand.get(), "PNG");
    ASSERT_EQ(MagickWriteImage(wand.get(), path.c_str()), MagickTrue) << path;
}

// A 20 x 20 white background with one slot covering it.
Document oneSlotTemplate() {
    Document doc;
    doc.background.width = doc.background.height = 20;
    doc.background.szWidth = doc.background.szHeight = "20";
    doc.settings.watermarkOpen = false;
    doc.settings.cutlineOpen = false;
    PasteLayer& layer = doc.addPasteLayer(kAboveBackground, kStretch);
    layer.x = layer.y = 0;
    layer.width = layer.height = 20;
    return doc;
}

std::size_t filesIn(const fs::path& folder) {
    std::error_code ec;
    std::size_t count = 0;
    for (const auto& entry : fs::directory_iterator(folder, ec))
        count += entry.is_regular_file() ? 1 : 0;
    return count;
}

class RunControllerTest : public ::testing::Test {
  protected:
    RunControllerTest() {
        window.resize(600, 400);
        window.show();
    }

    RunRequest request(LoadMode mode = kPictureListMode) const {
        RunRequest r;
        r.sourceFolder = dir / "src";
        r.outputFolder = dir / "out";
        r.mode = mode;
        r.jobs = 1;
        return r;
    }

    RunOutcome runNow(const Document& doc, RunRequest r, bool completedAlert = true) const {
        r.document = doc;
        return controller->run(std::move(r), completedAlert);
    }

    ProgressWindow& progress() const { return *controller->progressWindow(); }

    TempDir dir;
    RecordingUiPort ui;
    QWidget window;
    RunController* controller = new RunController(ui, &window);  // owned by the window
};

TEST(ProgressWindow, StartsHiddenWithItsTextsAndGeometry) {
    QWidget owner;
    ProgressWindow progress(&owner);
    EXPECT_EQ(progress.objectName(), "Process");
    EXPECT_EQ(progress.windowTitle(), "处理进度");
    EXPECT_EQ(progress.size(), QSize(353, 110));
    EXPECT_EQ(progress.progressBar()->geometry(), QRect(16, 22, 239, 23));
    EXPECT_EQ(progress.stopButton()->geometry(), QRect(265, 21, 66, 25));
    EXPECT_EQ(progress.stopButton()->text(), "停止");
    EXPECT_EQ(progress.textLabel()->geometry(), QRect(16, 55, 318, 21));
    EXPECT_EQ(progress.textLabel()->text(), "共 0 批图片，正在处理第 0 批。");
    EXPECT_EQ(progress.windowModality(), Qt::WindowModal);
    EXPECT_FALSE(progress.isVisible());
    EXPECT_EQ(progress.state(), ProgressWindow::State::Idle);
}

TEST(ProgressWindow, GoesFromRunningThroughStoppingBackToIdle) {
    QWidget owner;
    owner.setGeometry(100, 100, 600, 400);
    owner.show();
    ProgressWindow progress(&owner);
    int stops = 0;
    QObject::connect(&progress, &ProgressWindow::stopRequested, [&stops] { ++stops; });

    progress.beginRun(5);
    EXPECT_TRUE(progress.isVisible());
    EXPECT_EQ(progress.state(), ProgressWindow::State::Running);
    EXPECT_EQ(progress.textLabel()->text(), "共 5 批图片，正在处理第 1 批。");
    EXPECT_EQ(progress.progressBar()->maximum(), 5);
    EXPECT_EQ(progress.progressBar()->value(), 0);
    EXPECT_EQ(progress.frameGeometry().center(), owner.frameGeometry().center());

    progress.showBatch(4);
    EXPECT_EQ(progress.textLabel()->text(), "共 5 批图片，正在处理第 4 批。");
    EXPECT_EQ(progress.progressBar()->value(), 3);

    // Neither closing nor Escape takes the window away from a running run.
    progress.close();
    QTest::keyClick(&progress, Qt::Key_Escape);
    EXPECT_TRUE(progress.isVisible());

    progress.stopButton()->click();
    progress.stopButton()->click();
    EXPECT_EQ(stops, 1);
    EXPECT_EQ(progress.state(), ProgressWindow::State::Stopping);
    EXPECT_EQ(progress.stopButton()->text(), "停止中...");
    EXPECT_FALSE(progress.stopButton()->isEnabled());

    progress.endRun();
    EXPECT_FALSE(progress.isVisible());
    EXPECT_EQ(progress.state(), ProgressWindow::State::Idle);
    EXPECT_EQ(progress.stopButton()->text(), "停止");
    EXPECT_TRUE(progress.stopButton()->isEnabled());
}

TEST_F(RunControllerTest, StopButtonEndsTheRunStoppedWithoutTheQuestion) {
    for (const char* name : {"a.png", "b.png", "c.png"})
        writePicture(dir.path() / "src" / name);
    std::vector<int> hookStatuses;
    controller->setRunEndHook([&](int status) {
        EXPECT_TRUE(controller->runInProgress());
        hookStatuses.push_back(status);
    });

    // The bar reaches 1 when batch 2 is reported, while the worker waits for that report.
    bool pressed = false;
    QObject::connect(progress().progressBar(), &QProgressBar::valueChanged, [&](int value) {
        if (value != 1 || pressed) return;
        pressed = true;
        EXPECT_TRUE(controller->runInProgress());
        EXPECT_FALSE(window.isEnabled());
        EXPECT_TRUE(progress().isVisible());
        EXPECT_EQ(progress().textLabel()->text(), "共 3 批图片，正在处理第 2 批。");
        ASSERT_TRUE(progress().stopButton()->isEnabled());
        progress().stopButton()->click();
        EXPECT_EQ(progress().stopButton()->text(), "停止中...");
        EXPECT_FALSE(progress().stopButton()->isEnabled());
    });

    const RunOutcome outcome = runNow(oneSlotTemplate(), request());
    ASSERT_TRUE(pressed);
    EXPECT_FALSE(outcome.failure);
    EXPECT_EQ(outcome.end, RunEnd::kStopped);
    EXPECT_EQ(controller->lastExternalStatus(), 2);
    EXPECT_EQ(hookStatuses, std::vector<int>{2});
    EXPECT_EQ(filesIn(dir.path() / "out"), 1u);
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_FALSE(controller->runInProgress());
    EXPECT_TRUE(window.isEnabled());
    EXPECT_FALSE(progress().isVisible());
    EXPECT_EQ(progress().stopButton()->text(), "停止");
    EXPECT_TRUE(progress().stopButton()->isEnabled());
}

TEST_F(RunControllerTest, OneBatchShowsBothNumbersOneThenYesOpensTheOutputFolder) {
    writePicture(dir.path() / "src" / "a.png");
    ui.answerBox(UiButton::Yes);
    std::vector<int> hookStatuses;
    bool disabledDuringRun = false;
    controller->setRunEndHook([&](int status) {
        hookStatuses.push_back(status);
        disabledDuringRun = !window.isEnabled();
    });

    const RunOutcome outcome = runNow(oneSlotTemplate(), request());
    EXPECT_EQ(outcome.end, RunEnd::kFinished);
    EXPECT_EQ(controller->lastExternalStatus(), 1);
    EXPECT_EQ(hookStatuses, std::vector<int>{1});
    EXPECT_TRUE(disabledDuringRun);
    EXPECT_TRUE(window.isEnabled());
    EXPECT_EQ(progress().textLabel()->text(), "共 1 批图片，正在处理第 1 批。");
    EXPECT_TRUE(fs::exists(dir.path() / "out" / "a.jpg"));

    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text(), "图片处理已完成，是否查看处理后的图片？");
    EXPECT_EQ(ui.boxes[0].caption(), "完成");
    EXPECT_EQ(ui.boxes[0].icon(), UiIcon::Information);
    EXPECT_EQ(ui.boxes[0].request.buttons, UiButtons::YesNo);
    ASSERT_EQ(ui.openedUrls.size(), 1u);
    EXPECT_EQ(QUrl(ui.openedUrls[0]).toLocalFile(), QString::fromStdString(dir / "out"));
}

TEST_F(RunControllerTest, NoLeavesTheOutputFolderClosed) {
    writePicture(dir.path() / "src" / "a.png");
    ui.answerBox(UiButton::No);
    EXPECT_EQ(runNow(oneSlotTemplate(), request()).end, RunEnd::kFinished);
    EXPECT_EQ(ui.boxes.size(), 1u);
    EXPECT_TRUE(ui.openedUrls.empty());
}

TEST_F(RunControllerTest, NoQuestionWhenThePreferenceIsOffOrATaskIsBound) {
    writePicture(dir.path() / "src" / "a.png");
    EXPECT_EQ(runNow(oneSlotTemplate(), request(), false).end, RunEnd::kFinished);
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_TRUE(ui.openedUrls.empty());

    // A bound task keeps the window disabled after its run, as the binding left it.
    controller->setExternalTaskBound(true);
    window.setEnabled(false);
    EXPECT_EQ(runNow(oneSlotTemplate(), request()).end, RunEnd::kFinished);
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_FALSE(window.isEnabled());
    EXPECT_TRUE(fs::exists(dir.path() / "out" / "a(2).jpg"));
}

TEST_F(RunControllerTest, ACompanionThatUnbindsDuringItsTaskGetsNoQuestionButTheWindowBack) {
    writePicture(dir.path() / "src" / "a.png");
    writePicture(dir.path() / "src" / "b.png");
    controller->setExternalTaskBound(true);
    window.setEnabled(false);
    // The companion closes while the second batch is under way.
    QObject::connect(progress().progressBar(), &QProgressBar::valueChanged, [this](int value) {
        if (value == 1) controller->setExternalTaskBound(false);
    });
    EXPECT_EQ(runNow(oneSlotTemplate(), request()).end, RunEnd::kFinished);
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_TRUE(window.isEnabled());
    EXPECT_EQ(filesIn(dir.path() / "out"), 2u);

    // The next run, unbound from its start, asks again.
    ui.answerBox(UiButton::No);
    EXPECT_EQ(runNow(oneSlotTemplate(), request()).end, RunEnd::kFinished);
    EXPECT_EQ(ui.boxes.size(), 1u);
}

TEST_F(RunControllerTest, FailedCheckReturnsItsFailureAndStartsNothing) {
    Document doc = oneSlotTemplate();
    doc.deletePasteLayers({0});
    writePicture(dir.path() / "src" / "a.png");
    bool hookCalled = false;
    controller->setRunEndHook([&](int) { hookCalled = true; });

    const RunOutcome outcome = runNow(doc, request());
    ASSERT_TRUE(outcome.failure);
    EXPECT_EQ(outcome.failure->title, "请至少创建一个【贴图层】选区");
    EXPECT_EQ(outcome.failure->check, RunCheck::PasteLayers);
    EXPECT_FALSE(outcome.end);
    EXPECT_FALSE(hookCalled);
    EXPECT_EQ(controller->lastExternalStatus(), 0);
    EXPECT_FALSE(fs::exists(dir.path() / "out"));
    EXPECT_EQ(progress().textLabel()->text(), "共 0 批图片，正在处理第 0 批。");
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_TRUE(window.isEnabled());
}

TEST_F(RunControllerTest, ThreadThatCannotStartShowsTheErrorAndKeepsTheEditorGoing) {
    writePicture(dir.path() / "src" / "a.png");
    controller->setThreadStarter([](RenderRun&) { return false; });

    const RunOutcome outcome = runNow(oneSlotTemplate(), request());
    EXPECT_FALSE(outcome.failure);
    EXPECT_FALSE(outcome.end);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text(), "启动线程失败");
    EXPECT_EQ(ui.boxes[0].caption(), "提示");
    EXPECT_EQ(ui.boxes[0].icon(), UiIcon::Error);
    EXPECT_FALSE(controller->runInProgress());
    EXPECT_FALSE(progress().isVisible());
    EXPECT_TRUE(window.isEnabled());
    EXPECT_EQ(filesIn(dir.path() / "out"), 0u);
}

TEST_F(RunControllerTest, InfoLinesReachTheSinkOnTheWindowThread) {
    writeFile(dir.path() / "src" / "broken.jpg", "not a picture");
    std::vector<QString> lines;
    bool onWindowThread = true;
    controller->setInfoSink([&](const QString& line, bool blankAfter) {
        lines.push_back(line);
        EXPECT_TRUE(blankAfter) << line.toStdString();
        onWindowThread = onWindowThread && QThread::currentThread() == qApp->thread();
    });
    EXPECT_EQ(runNow(oneSlotTemplate(), request()).end, RunEnd::kFinished);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_TRUE(lines[0].startsWith("无效图片:")) << lines[0].toStdString();
    EXPECT_TRUE(onWindowThread);
}

// The editor says how many pictures could not be written (a full disk, here a file size limit).
TEST_F(RunControllerTest, PicturesThatCouldNotBeWrittenAreCountedInTheInfoWindow) {
    for (const char* name : {"a.png", "b.png"}) {
        Wand noise = testing::noisePicture(40, 40);
        MagickSetImageFormat(noise.get(), "PNG");
        fs::create_directories(dir.path() / "src");
        ASSERT_EQ(MagickWriteImage(noise.get(), (dir.path() / "src" / name).c_str()), MagickTrue);
    }
    writePicture(dir.path() / "src" / "c.png");
    std::vector<QString> lines;
    std::vector<bool> blanks;
    controller->setInfoSink([&](const QString& line, bool blankAfter) {
        lines.push_back(line);
        blanks.push_back(blankAfter);
    });
    Document doc = oneSlotTemplate();
    doc.background.width = doc.background.height = 200;
    doc.pasteLayers[0].width = doc.pasteLayers[0].height = 200;
    RunOutcome outcome;
    {
        const testing::FileSizeLimit limit(6 * 1024);
        outcome = runNow(doc, request());
    }
    EXPECT_EQ(outcome.end, RunEnd::kFinished);
    EXPECT_EQ(outcome.summary.unwritten, 2);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), "3 张图片中有 2 张未能写入。");
    EXPECT_EQ(blanks, std::vector<bool>(lines.size(), true));  // the write failures and the count
    EXPECT_EQ(filesIn(dir.path() / "out"), 1u);
}

TEST(RunSummaryLines, FewerWorkersAndUnwrittenPictures) {
    RunSummary summary;
    summary.rendered = 50;
    EXPECT_TRUE(runSummaryLines(summary).empty());
    summary.unwritten = 3;
    summary.requestedWorkers = 4;
    summary.workers = 2;
    summary.workerBytes = 3ull << 30;
    EXPECT_EQ(runSummaryLines(summary),
              (std::vector<QString>{"画布较大，本次用 2 个线程代替 4 个（每个线程的画布需要 3.0 GiB 内存）。",
                                    "50 张图片中有 3 张未能写入。"}));
}

TEST_F(RunControllerTest, StartDuringARunStartsNothingAndSubFolderRunsSkipTheHook) {
    for (const char* folder : {"one", "two"})
        writePicture(dir.path() / "src" / folder / "a.png");
    bool hookCalled = false;
    controller->setRunEndHook([&](int) { hookCalled = true; });
    std::optional<RunOutcome> nested;
    QObject::connect(progress().progressBar(), &QProgressBar::valueChanged, [&](int value) {
        if (value == 1 && !nested) nested = runNow(oneSlotTemplate(), request(kSubFolderListMode));
    });

    EXPECT_EQ(runNow(oneSlotTemplate(), request(kSubFolderListMode)).end, RunEnd::kFinished);
    ASSERT_TRUE(nested);
    EXPECT_FALSE(nested->failure);
    EXPECT_FALSE(nested->end);
    EXPECT_FALSE(hookCalled);
    EXPECT_EQ(controller->lastExternalStatus(), 1);
    EXPECT_EQ(filesIn(dir.path() / "out"), 2u);
}

}  // namespace
}  // namespace plazor
