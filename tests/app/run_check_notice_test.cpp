// How a failed check before a run reaches the user: balloon or box, on which control, in which order.
#include "app/run_check_notice.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QUrl>

#include <map>
#include <string>
#include <vector>

#include "app/layer_lists.h"
#include "app/panel_blocks.h"
#include "main_window_test_support.h"
#include "support/recording_ui_port.h"

namespace plazor {
namespace {

using testing::RecordingUiPort;

struct Panel {
    QWidget window;
    std::map<CheckControl, QPushButton*> buttons;
    std::vector<std::string> steps;  // what happened, in order

    Panel() {
        for (CheckControl c :
             {CheckControl::PasteList, CheckControl::OutputFolderButton, CheckControl::SourceFolderButton}) {
            buttons[c] = new QPushButton(&window);
        }
        window.show();
    }

    CheckNoticeTargets targets() {
        CheckNoticeTargets t;
        t.control = [this](CheckControl c) -> QWidget* {
            steps.push_back("control");
            return buttons.count(c) ? buttons[c] : nullptr;
        };
        t.selectRow = [this](CheckControl c, std::size_t row) {
            steps.push_back("select " + std::to_string(static_cast<int>(c)) + " " + std::to_string(row));
        };
        t.scrollPasteListToTop = [this] { steps.push_back("scroll"); };
        return t;
    }
};

RunCheckFailure failureOf(RunCheck check, std::string text) {
    RunCheckFailure failure;
    failure.check = check;
    failure.text = std::move(text);
    return failure;
}

TEST(RunCheckNotice, BalloonGoesOnItsControlAfterScrollingAndSelecting) {
    Panel panel;
    RecordingUiPort ui;
    RunCheckFailure failure = failureOf(RunCheck::PasteLayers, "可以创建一个选区或删除这个贴图层");
    failure.title = "贴图层#2 还没有创建选区";
    failure.row = 1;

    presentCheckFailure(ui, panel.targets(), failure);
    const std::string selectPaste =
        "select " + std::to_string(static_cast<int>(CheckControl::PasteList)) + " 1";
    EXPECT_EQ(panel.steps, (std::vector<std::string>{"scroll", selectPaste, "control"}));
    ASSERT_EQ(ui.balloons.size(), 1u);
    EXPECT_EQ(ui.balloons[0].control, panel.buttons[CheckControl::PasteList]);
    EXPECT_EQ(ui.balloons[0].title, "贴图层#2 还没有创建选区");
    EXPECT_EQ(ui.balloons[0].text, "可以创建一个选区或删除这个贴图层");
    EXPECT_EQ(ui.balloons[0].icon, UiIcon::Warning);
    EXPECT_TRUE(ui.boxes.empty());
}

TEST(RunCheckNotice, BoxThenFocusOnTheControlWithoutScrolling) {
    Panel panel;
    RecordingUiPort ui;
    const RunCheckFailure failure =
        failureOf(RunCheck::OutputFolderCreation, "【图片保存到】文件夹 '/x' 创建失败, 请重新选择一个文件夹");

    presentCheckFailure(ui, panel.targets(), failure);
    EXPECT_EQ(panel.steps, std::vector<std::string>{"control"});
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].caption(), "提示");
    EXPECT_EQ(ui.boxes[0].text(), "【图片保存到】文件夹 '/x' 创建失败, 请重新选择一个文件夹");
    EXPECT_EQ(ui.boxes[0].icon(), UiIcon::Error);
    EXPECT_EQ(ui.boxes[0].request.owner, &panel.window);
    EXPECT_TRUE(ui.balloons.empty());
    EXPECT_TRUE(ui.openedUrls.empty());
    EXPECT_EQ(panel.window.focusWidget(), panel.buttons[CheckControl::OutputFolderButton]);
}

TEST(RunCheckNotice, PathLengthGuardOpensTheFolderHoldingThePath) {
    Panel panel;
    RecordingUiPort ui;
    RunCheckFailure failure = failureOf(RunCheck::SourcePathLength, "软件因下列原因意外退出：");
    failure.path = "/tmp/源图片/很长的名字.jpg";

    presentCheckFailure(ui, panel.targets(), failure);
    ASSERT_EQ(ui.boxes.size(), 1u);
    ASSERT_EQ(ui.openedUrls.size(), 1u);
    EXPECT_EQ(QUrl(ui.openedUrls[0]).toLocalFile(), "/tmp/源图片");
}

// Whatever check the core reports, the editor's window shows it on a control of its own panel: rows are
// selected only in a list, only balloons above the watermark block scroll the panel (the controls
// there can be scrolled out of sight), and a box leaves the focus on the control.
class RunCheckNoticeInWindow : public testing::MainWindowTest {};

TEST_F(RunCheckNoticeInWindow, EveryCheckReachesAControlOfThePanel) {
    doc.addPasteLayer(kAboveBackground, kStretch);
    doc.addWatermark(dir / "mark.png", 0, 0);
    doc.addSlice(10);
    window->syncFromDocument();
    window->show();

    for (int i = 0; i < kRunCheckCount; ++i) {
        const RunCheck check = static_cast<RunCheck>(i);
        SCOPED_TRACE(i);
        const CheckNotice notice = checkNoticeOf(check);
        QWidget* widget = panelControlOf(window->panel(), notice.control);
        ASSERT_NE(widget, nullptr);
        EXPECT_TRUE(window->isAncestorOf(widget));
        auto* list = qobject_cast<LayerList*>(widget);
        if (notice.selectRow) {
            EXPECT_NE(list, nullptr);
        }
        const bool belowWatermarks = notice.control == CheckControl::WatermarkList ||
                                     notice.control == CheckControl::SliceList ||
                                     notice.control == CheckControl::OutputFolderButton;
        EXPECT_EQ(notice.scrollPasteListToTop, notice.kind == NoticeKind::Balloon && !belowWatermarks);

        RecordingUiPort ui;
        CheckNoticeTargets targets;
        targets.control = [this](CheckControl control) { return panelControlOf(window->panel(), control); };
        std::vector<std::size_t> selected;
        targets.selectRow = [&](CheckControl control, std::size_t row) {
            EXPECT_EQ(control, notice.control);
            selected.push_back(row);
        };
        RunCheckFailure failure;
        failure.check = check;
        failure.title = notice.kind == NoticeKind::Balloon ? "标题" : "";
        failure.text = "说明 '/源/图.jpg'";
        failure.row = 0;
        failure.path = dir / "源/图.jpg";
        window->panel().sourceFolder->setFocus();
        presentCheckFailure(ui, targets, failure);

        EXPECT_EQ(selected, notice.selectRow ? std::vector<std::size_t>{0} : std::vector<std::size_t>{});
        if (notice.kind == NoticeKind::Balloon) {
            ASSERT_EQ(ui.balloons.size(), 1u);
            EXPECT_TRUE(ui.boxes.empty());
            EXPECT_EQ(ui.balloons[0].control, widget);
            EXPECT_EQ(ui.balloons[0].title, "标题");
            EXPECT_EQ(ui.balloons[0].text, QString::fromStdString(failure.text));
        } else {
            ASSERT_EQ(ui.boxes.size(), 1u);
            EXPECT_TRUE(ui.balloons.empty());
            EXPECT_EQ(ui.boxes[0].caption(), "提示");
            EXPECT_EQ(ui.boxes[0].text(), QString::fromStdString(failure.text));
            EXPECT_EQ(ui.boxes[0].request.owner, window.get());
            EXPECT_EQ(window->focusWidget(), widget);
            EXPECT_EQ(ui.openedUrls.size(), notice.revealPath ? 1u : 0u);
        }
    }
}

}  // namespace
}  // namespace plazor
