// The companion's window against a stand-in for the main program whose endpoint runs on a thread of its
// own, as it would in a program of its own: the checks, a whole series and its end.
#include "companion/companion_window.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <filesystem>
#include <mutex>

#include "companion/series_rules.h"
#include "external/endpoint_client.h"
#include "external/endpoints.h"
#include "external/task_host.h"
#include "shell/settings_store.h"
#include "support/recording_ui_port.h"
#include "support/temp_dir.h"
#include "support/threaded_endpoint.h"

namespace plazor::companion {
namespace {

using namespace external;
using testing::RecordingUiPort;
using testing::TempDir;
using testing::ThreadedEndpoint;
using testing::writeFile;
namespace fs = std::filesystem;

constexpr int kWaitMs = 30000;
const QString kMainTitle = QStringLiteral("Plazor图片排版工具 - 测试");

// A main program that binds anyone, reports each task's run as `statusOf(task)` and records what it
// was asked, all on its own thread.
class FakeMain {
  public:
    FakeMain(const QString& folder, std::function<int(int)> statusOf)
        : statusOf_(std::move(statusOf)),
          endpoint_(folder, kMainTitle,
                    [this, folder](const Request& request) { return handle(folder, request); }) {}

    std::vector<std::string> calls() {
        const std::lock_guard lock(mutex_);
        return calls_;
    }

  private:
    std::int32_t handle(const QString& folder, const Request& request) {
        if (request.tag == kBindTag) return record("bind", kReplyBound);
        if (request.tag == kUnbindTag) return record("unbind", kReplyUnbound);
        if (request.tag != kStartTag) return kReplyNone;
        const std::optional<ExternalTask> task = decodeStartPayload(request.payload);
        record("start " + fs::path(task ? task->sourceFolder : "?").filename().string(), 0);
        ++tasks_;
        if (const int status = statusOf_(tasks_)) {
            exchange(endpointPath(folder, QString::fromStdString(request.sender)),
                     {kStatusTag, endpoint_.name(), encodeStatusPayload(status)}, kAnswerTimeoutMs);
        }
        return kReplyNone;
    }

    std::int32_t record(const std::string& call, std::int32_t reply) {
        const std::lock_guard lock(mutex_);
        calls_.push_back(call);
        return reply;
    }

    std::function<int(int)> statusOf_;
    int tasks_ = 0;
    std::mutex mutex_;
    std::vector<std::string> calls_;
    ThreadedEndpoint endpoint_;  // last: it stops before the records go
};

class CompanionWindowTest : public ::testing::Test {
  protected:
    void makeWindow() { window = std::make_unique<CompanionWindow>(ui, store, endpoints.str().c_str()); }

    template <typename T>
    T* control(int id) const {
        return window->findChild<T*>(QString::number(id));
    }

    // Five picture folders below the source folder, chosen in the window.
    void chooseFiveFolders() {
        for (int i = 1; i <= 5; ++i)
            writeFile(dir.path() / ("photos/" + std::to_string(i) + "/p.jpg"), "x");
        ui.answerFolder(QString::fromStdString(dir / "photos"));
        window->chooseSourceFolder();
    }

    // Starts a series and waits until the window is idle again.
    void runSeries() {
        window->startSeries();
        EXPECT_TRUE(QTest::qWaitFor([&] { return window->workState() == kIdle; }, kWaitMs));
    }

    TempDir dir;
    TempDir endpoints;
    RecordingUiPort ui;
    SettingsStore store{kCompanionSettingsKey, dir.path() / "config"};
    std::unique_ptr<CompanionWindow> window;
};

TEST_F(CompanionWindowTest, TheWindowShowsItsControlsAndFindsTheMainWindowsTitle) {
    FakeMain main(endpoints.str().c_str(), [](int) { return 1; });
    makeWindow();
    EXPECT_EQ(window->windowTitle(), "批量处理多个文件夹 - Plazor图片排版工具");
    EXPECT_EQ(window->objectName(), "CodeBlocksWindowsApp");
    EXPECT_EQ(window->size(), QSize(940, 350));
    EXPECT_EQ(control<QLineEdit>(36001)->geometry(), QRect(110, 20, 706, 21));
    EXPECT_EQ(control<QCheckBox>(36005)->text(), "同时处理所有层次子文件夹中的图片");
    EXPECT_EQ(control<QPushButton>(36008)->geometry(), QRect(824, 216, 90, 25));
    EXPECT_TRUE(control<QLineEdit>(36003)->isReadOnly());
    // The walk passes over the companion itself and takes the main window's title.
    EXPECT_EQ(control<QLineEdit>(36001)->text(), kMainTitle);
}

TEST_F(CompanionWindowTest, WithoutAMainWindowTheStoredTitleStaysAndTheStartIsRefused) {
    store.writeText(kBindTitleValue, "Plazor图片排版工具 - 旧的");
    makeWindow();
    EXPECT_EQ(control<QLineEdit>(36001)->text(), "Plazor图片排版工具 - 旧的");
    window->startSeries();
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.lastBox().text(),
              "没有找到标题栏内容为 \"Plazor图片排版工具 - 旧的\" "
              "的窗口。\n\n请检查【Plazor图片排版工具】是否已启动。");
    EXPECT_EQ(ui.lastBox().caption(), "提示");
    EXPECT_EQ(ui.lastBox().icon(), UiIcon::Warning);
}

TEST_F(CompanionWindowTest, TheRootFolderIsRefusedAndTheOutputFolderProposed) {
    makeWindow();
    fs::create_directories(dir / "photos_处理后");
    fs::create_directories(dir / "photos");
    ui.answerFolder(QStringLiteral("/")).answerFolder(QString::fromStdString(dir / "photos"));
    window->chooseSourceFolder();
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.lastBox().text(), "暂不支持添加根目录：[/]，请选择下一级文件夹。");
    EXPECT_EQ(ui.lastBox().caption(), "错误");
    ASSERT_EQ(ui.choosers.size(), 2u);
    EXPECT_EQ(ui.choosers[1].title, "源图片文件夹：");
    EXPECT_EQ(control<QLineEdit>(36003)->text().toStdString(), dir / "photos");
    EXPECT_EQ(control<QLineEdit>(36006)->text().toStdString(), dir / "photos_处理后(2)");
}

TEST_F(CompanionWindowTest, AStoppedRunEndsTheSeriesAfterItsTask) {
    FakeMain main(endpoints.str().c_str(), [](int task) { return task == 3 ? 2 : 1; });
    makeWindow();
    chooseFiveFolders();
    QSignalSpy progress(window.get(), &CompanionWindow::workerProgress);
    runSeries();

    const std::vector<std::string> calls = main.calls();
    ASSERT_EQ(calls.size(), 5u);
    EXPECT_EQ(calls.front(), "bind");
    EXPECT_EQ(calls.back(), "unbind");
    ASSERT_EQ(progress.size(), 2);
    EXPECT_EQ(progress.last().at(0).toInt(), 2);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.lastBox().text(), "已停止");
    EXPECT_EQ(ui.lastBox().icon(), UiIcon::Warning);

    // Back to idle: controls enabled, progress and status reset, the title remembered.
    EXPECT_TRUE(control<QPushButton>(36008)->isEnabled());
    EXPECT_TRUE(control<QLineEdit>(36001)->isEnabled());
    EXPECT_EQ(control<QPushButton>(36008)->text(), "启动");
    EXPECT_EQ(window->findChild<QProgressBar*>("ProgressBar")->value(), 0);
    EXPECT_EQ(window->findChild<QLabel*>("StatusText")->text(), "就绪...");
    EXPECT_EQ(store.readText(kBindTitleValue, kBindTitleBufferBytes), kMainTitle.toStdString());
    EXPECT_FALSE(window->bound());
}

TEST_F(CompanionWindowTest, ACompletedSeriesOffersToOpenTheOutputFolder) {
    FakeMain main(endpoints.str().c_str(), [](int) { return 1; });
    makeWindow();
    chooseFiveFolders();
    ui.answerBox(UiButton::Yes);
    runSeries();

    EXPECT_EQ(main.calls().size(), 7u);  // bind, five starts, unbind
    for (int i = 1; i <= 5; ++i)
        EXPECT_TRUE(fs::is_directory(dir / ("photos_处理后/" + std::to_string(i))));
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.lastBox().text(), "图片处理已完成，是否查看处理后的图片？");
    EXPECT_EQ(ui.lastBox().caption(), "完成");
    ASSERT_EQ(ui.openedUrls.size(), 1u);
    EXPECT_TRUE(ui.openedUrls[0].endsWith("photos_处理后"));
}

TEST_F(CompanionWindowTest, NoPictureFolderReleasesTheBinding) {
    FakeMain main(endpoints.str().c_str(), [](int) { return 1; });
    makeWindow();
    fs::create_directories(dir / "empty/sub");
    ui.answerFolder(QString::fromStdString(dir / "empty"));
    window->chooseSourceFolder();
    window->startSeries();
    EXPECT_EQ(ui.lastBox().text(), "没有找到需要处理的图片文件夹");
    EXPECT_EQ(main.calls(), (std::vector<std::string>{"bind", "unbind"}));
    EXPECT_EQ(window->workState(), kIdle);
}

}  // namespace
}  // namespace plazor::companion
