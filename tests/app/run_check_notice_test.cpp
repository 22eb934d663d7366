// How a failed check before a run reaches the user: balloon or box, on which control, in which order.
#include "app/run_check_notice.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QUrl>

#include <map>
#include <string>
#include <vector>

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

RunCheckFailure errorBox(CheckControl control, std::string text) {
    RunCheckFailure failure;
    failure.control = control;
    failure.kind = NoticeKind::MessageBox;
    failure.icon = NoticeIcon::Error;
    failure.caption = "提示";
    failure.text = std::move(text);
    return failure;
}

TEST(RunCheckNotice, BalloonGoesOnItsControlAfterScrollingAndSelecting) {
    Panel panel;
    RecordingUiPort ui;
    RunCheckFailure failure;
    failure.control = CheckControl::PasteList;
    failure.title = "贴图层#2 还没有创建选区";
    failure.text = "可以创建一个选区或删除这个贴图层";
    failure.selectRow = 1;
    failure.scrollPasteListToTop = true;

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
    const RunCheckFailure failure = errorBox(CheckControl::OutputFolderButton,
                                             "【图片保存到】文件夹 '/x' 创建失败, 请重新选择一个文件夹");

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
    RunCheckFailure failure = errorBox(CheckControl::SourceFolderButton, "软件因下列原因意外退出：");
    failure.revealPath = "/tmp/源图片/很长的名字.jpg";

    presentCheckFailure(ui, panel.targets(), failure);
    ASSERT_EQ(ui.boxes.size(), 1u);
    ASSERT_EQ(ui.openedUrls.size(), 1u);
    EXPECT_EQ(QUrl(ui.openedUrls[0]).toLocalFile(), "/tmp/源图片");
}

}  // namespace
}  // namespace plazor
