// An editor and a stand-in for the companion program talking over real local sockets in one process:
// the companion's endpoint and its sends run on threads of their own, as they do in a program of their
// own, while the editor's window thread runs the tasks.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QProgressBar>
#include <QTest>
#include <QThread>

#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "app/editor_fixture.h"
#include "app/external_tasks.h"
#include "app/progress_window.h"
#include "app/run_controller.h"
#include "external/endpoint_client.h"
#include "external/endpoints.h"
#include "support/pictures.h"
#include "support/stale_socket.h"
#include "support/threaded_endpoint.h"
#include "util/window_names.h"

namespace plazor::testing {
namespace {

using namespace external;
namespace fs = std::filesystem;

constexpr int kWaitMs = 30000;

// Runs `work` on a thread of its own while this thread's event loop goes on.
template <typename Work>
void onOtherThread(Work work) {
    std::unique_ptr<QThread> thread(QThread::create(std::move(work)));
    thread->start();
    EXPECT_TRUE(QTest::qWaitFor([&] { return thread->isFinished(); }, kWaitMs));
    thread->wait();
}

// The companion's endpoint on its own thread; it records the statuses it receives.
class CompanionStandIn {
  public:
    explicit CompanionStandIn(const QString& folder)
        : endpoint_(
              folder, QStringLiteral("批量处理多个文件夹 - Plazor图片排版工具"),
              [this](const Request& request) {
                  if (request.tag == kStatusTag) {
                      record("status " + std::to_string(decodeStatusPayload(request.payload).value_or(-1)));
                  }
                  return kReplyNone;
              }) {}

    std::string name() const { return endpoint_.name(); }

    void record(const std::string& event) {
        const std::lock_guard lock(mutex_);
        events_.push_back(event);
    }

    std::vector<std::string> events() {
        const std::lock_guard lock(mutex_);
        return events_;
    }

  private:
    std::mutex mutex_;
    std::vector<std::string> events_;
    ThreadedEndpoint endpoint_;  // last: it stops before the records go
};

class ExternalTasks : public EditorTest {
  protected:
    void SetUp() override {
        // Endpoints of this test only: editors of other tests may run beside it.
        savedRuntime_ = qgetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_RUNTIME_DIR", runtime_.str().c_str());
        EditorTest::SetUp();
        window->show();
        folder_ = defaultEndpointFolder();
    }

    void TearDown() override {
        EditorTest::TearDown();
        qputenv("XDG_RUNTIME_DIR", savedRuntime_);
    }

    // One paste layer covering a 40 x 40 background.
    void oneLayerTemplate() {
        window->panel().width->setText("40");
        window->panel().height->setText("40");
        doc.addPasteLayer(kAboveBackground, kStretch);
        doc.setPasteLayerRect(0, 0, 0, 40, 40);
        window->syncFromDocument();
    }

    std::optional<std::int32_t> send(const std::string& window, std::uint32_t tag, const std::string& sender,
                                     const std::string& payload = {}) {
        std::optional<Reply> reply;
        onOtherThread([&] {
            reply = exchange(endpointPath(folder_, QString::fromStdString(window)), {tag, sender, payload},
                             kWaitMs);
        });
        if (!reply) return std::nullopt;
        return reply->code;
    }

    std::optional<std::string> findMainWindow(const std::string& title) {
        std::optional<QString> found;
        onOtherThread([&] { found = findWindow(folder_, QString(), window_names::kMainWindowClass, title); });
        if (!found) return std::nullopt;
        return found->toStdString();
    }

    TempDir runtime_;
    QByteArray savedRuntime_;
    QString folder_;
};

TEST_F(ExternalTasks, ABoundCompanionGetsOneStatusBeforeTheStartsReplyAndUnbindEnablesTheWindow) {
    oneLayerTemplate();
    const std::string source = dir / "相册/第一组";
    const std::string output = dir / "相册_处理后/第一组";
    ASSERT_TRUE(writeFilledPicture(source + "/一.png", "PNG", 8, 8));
    CompanionStandIn companion(folder_);

    // Found by class and title; the title follows the template's name.
    const std::optional<std::string> main = findMainWindow("Plazor图片排版工具 - 新模版");
    ASSERT_TRUE(main);
    window->setTitleName(QStringLiteral("相册"));
    EXPECT_EQ(findMainWindow("Plazor图片排版工具 - 相册"), main);
    EXPECT_FALSE(findMainWindow("Plazor图片排版工具 - 新模版"));

    EXPECT_EQ(send(*main, kBindTag, companion.name()), kReplyBound);
    EXPECT_FALSE(window->isEnabled());

    std::optional<Reply> startReply;
    onOtherThread([&] {
        startReply = exchange(endpointPath(folder_, QString::fromStdString(*main)),
                              {kStartTag, companion.name(), *encodeStartPayload({source, output})}, kWaitMs);
        companion.record("start reply " + std::to_string(startReply ? startReply->code : -1));
    });
    EXPECT_EQ(companion.events(), (std::vector<std::string>{"status 1", "start reply 0"}));
    EXPECT_EQ(window->panel().sourceFolder->text().toStdString(), source);
    EXPECT_EQ(window->panel().outputFolder->text().toStdString(), output);
    EXPECT_EQ(std::distance(fs::directory_iterator(output), fs::directory_iterator()), 1);
    // No completion question while bound, and the window stays disabled between tasks.
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_FALSE(window->isEnabled());

    // Only the bound window may unbind.
    EXPECT_EQ(send(*main, kUnbindTag, "plazor-window-stranger"), kReplyNone);
    EXPECT_FALSE(window->isEnabled());
    EXPECT_EQ(send(*main, kUnbindTag, companion.name()), kReplyUnbound);
    EXPECT_TRUE(window->isEnabled());
}

TEST_F(ExternalTasks, AStartWhoseRunDoesNotBeginSendsNoStatus) {
    oneLayerTemplate();
    CompanionStandIn companion(folder_);
    const std::optional<std::string> main = findMainWindow("Plazor图片排版工具 - 新模版");
    ASSERT_TRUE(main);
    ASSERT_EQ(send(*main, kBindTag, companion.name()), kReplyBound);
    fs::create_directories(dir / "empty");

    EXPECT_EQ(send(*main, kStartTag, companion.name(), *encodeStartPayload({dir / "empty", dir / "out"})),
              kReplyNone);
    // The editor shows its own message; the companion hears nothing but the reply.
    EXPECT_FALSE(ui.balloons.empty());
    EXPECT_TRUE(companion.events().empty());
    EXPECT_EQ(send(*main, kUnbindTag, companion.name()), kReplyUnbound);
}

TEST_F(ExternalTasks, AStartDuringARunAndAnUnbindLeaveTheRunAsItWas) {
    oneLayerTemplate();
    const std::string source = dir / "一组";
    const std::string output = dir / "一组_处理后";
    ASSERT_TRUE(writeFilledPicture(source + "/a.png", "PNG", 8, 8));
    ASSERT_TRUE(writeFilledPicture(source + "/b.png", "PNG", 8, 8));
    ASSERT_TRUE(writeFilledPicture(dir / "二组/a.png", "PNG", 8, 8));
    CompanionStandIn companion(folder_);
    const std::optional<std::string> main = findMainWindow("Plazor图片排版工具 - 新模版");
    ASSERT_TRUE(main);
    ASSERT_EQ(send(*main, kBindTag, companion.name()), kReplyBound);

    // While the second batch runs, a second start arrives, then the companion goes away.
    std::optional<std::int32_t> refusedStart, unbound;
    QObject::connect(commands->runController().progressWindow()->progressBar(), &QProgressBar::valueChanged,
                     [&](int value) {
                         if (value != 1 || refusedStart) return;
                         refusedStart = send(*main, kStartTag, companion.name(),
                                             *encodeStartPayload({dir / "二组", dir / "二组_处理后"}));
                         unbound = send(*main, kUnbindTag, companion.name());
                     });
    EXPECT_EQ(send(*main, kStartTag, companion.name(), *encodeStartPayload({source, output})), kReplyNone);
    EXPECT_EQ(refusedStart, kReplyNone);
    EXPECT_EQ(unbound, kReplyUnbound);
    EXPECT_EQ(window->panel().sourceFolder->text().toStdString(), source);
    EXPECT_EQ(window->panel().outputFolder->text().toStdString(), output);
    EXPECT_EQ(std::distance(fs::directory_iterator(output), fs::directory_iterator()), 2);
    EXPECT_FALSE(fs::exists(dir / "二组_处理后"));
    // The run was an external task's to its end: no completion question, and the window is free again.
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_TRUE(window->isEnabled());
}

TEST_F(ExternalTasks, BindingIsRefusedWithoutPasteLayersAndWhileAnotherWindowIsBound) {
    CompanionStandIn first(folder_);
    CompanionStandIn second(folder_);
    const std::optional<std::string> main = findMainWindow("Plazor图片排版工具 - 新模版");
    ASSERT_TRUE(main);
    EXPECT_EQ(send(*main, kBindTag, first.name()), kReplyNoPasteLayer);
    EXPECT_TRUE(window->isEnabled());

    oneLayerTemplate();
    EXPECT_EQ(send(*main, kBindTag, first.name()), kReplyBound);
    EXPECT_EQ(send(*main, kBindTag, second.name()), kReplyBoundToAnother);
    EXPECT_EQ(send(*main, kUnbindTag, first.name()), kReplyUnbound);
}

TEST_F(ExternalTasks, ACompanionThatIsGoneLosesItsBindingAndTheWindowComesBack) {
    oneLayerTemplate();
    const std::optional<std::string> main = findMainWindow("Plazor图片排版工具 - 新模版");
    ASSERT_TRUE(main);

    // Killed: its socket file is still there but refuses connections. The window comes back by itself.
    const std::string killed = "plazor-window-999999-1";
    ASSERT_TRUE(makeStaleSocket(endpointPath(folder_, QString::fromStdString(killed)).toStdString()));
    ASSERT_EQ(send(*main, kBindTag, killed), kReplyBound);
    EXPECT_FALSE(window->isEnabled());
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->isEnabled(); }, kWaitMs));

    // Ended without unbinding, its socket gone: the next companion is accepted at once.
    auto gone = std::make_unique<CompanionStandIn>(folder_);
    ASSERT_EQ(send(*main, kBindTag, gone->name()), kReplyBound);
    gone.reset();
    CompanionStandIn next(folder_);
    EXPECT_EQ(send(*main, kBindTag, next.name()), kReplyBound);
    EXPECT_FALSE(window->isEnabled());
    EXPECT_EQ(send(*main, kUnbindTag, next.name()), kReplyUnbound);
    EXPECT_TRUE(window->isEnabled());
}

}  // namespace
}  // namespace plazor::testing
