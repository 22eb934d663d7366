// The custom display style window driven through the editor: opened by the style commands with the
// current layer's values, editing its record live, hidden when the style changes away.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTimer>

#include "app/command_ids.h"
#include "layer_commands_fixture.h"

namespace plazor::testing {

class CustomStyleWindowTest : public LayerCommandsTest {
  protected:
    QWidget* styleWindow() const { return window->findChild<QWidget*>("Dialog_Picture_Customize"); }
    QLineEdit* field(const char* name) const { return styleWindow()->findChild<QLineEdit*>(name); }
    QComboBox* list(const char* name) const { return styleWindow()->findChild<QComboBox*>(name); }
    QString line(const char* name) const { return styleWindow()->findChild<QLabel*>(name)->text(); }
    QCheckBox* proportions() const { return styleWindow()->findChild<QCheckBox*>("proportions"); }

    // The user picks `index` in a position list.
    static void choose(QComboBox* positions, int index) {
        positions->setCurrentIndex(index);
        emit positions->activated(index);
    }

    const Customize& record() const { return doc.pasteLayers[1].customize; }
};

TEST_F(CustomStyleWindowTest, OpensForTheCurrentLayerAndEditsItsRecordLive) {
    placedPasteLayers({kStretch, kStretch});
    clickRows(window->pasteList(), {1});
    QSignalSpy appearance(&state(), &EditorState::layerAppearanceChanged);
    QSignalSpy repaints(&state(), &EditorState::repaintRequested);

    command(cmd::kCurrentStyleLast);
    ASSERT_NE(styleWindow(), nullptr);
    EXPECT_TRUE(styleWindow()->isVisible());
    EXPECT_EQ(styleWindow()->windowTitle(), "贴图层#2 - 自定义显示样式");
    EXPECT_EQ(line("sizeLine"), "贴图层#2尺寸：100 x 50");
    EXPECT_EQ(line("pictureLine"), "图片原始大小：未加载");
    EXPECT_FALSE(proportions()->isEnabled());
    EXPECT_EQ(field("width")->text(), "");
    EXPECT_EQ(list("horizontal")->currentText(), "左对齐");
    EXPECT_EQ(list("vertical")->currentText(), "顶部");
    EXPECT_FALSE(field("left")->isVisible());
    EXPECT_FALSE(field("top")->isVisible());

    appearance.clear();
    repaints.clear();
    field("width")->setText("120");
    EXPECT_EQ(record().width, 120);
    EXPECT_EQ(record().height, 0);
    ASSERT_EQ(appearance.size(), 1);
    EXPECT_EQ(appearance[0][1].toInt(), 1);
    EXPECT_GE(repaints.size(), 1);

    choose(list("horizontal"), kPosValue);
    EXPECT_EQ(record().horizontalPosition, kPosValue);
    ASSERT_TRUE(field("left")->isVisible());
    field("left")->setText("-7");
    EXPECT_EQ(record().left, -7);
    // Another position hides the offset but keeps it; the value position shows it again.
    choose(list("horizontal"), kPosCentre);
    EXPECT_FALSE(field("left")->isVisible());
    EXPECT_EQ(record().horizontalPosition, kPosCentre);
    EXPECT_EQ(record().left, -7);
    choose(list("horizontal"), kPosValue);
    EXPECT_EQ(field("left")->text(), "-7");
    EXPECT_EQ(doc.pasteLayers[0].customize, Customize{});

    command(cmd::kCurrentStyleFirst);
    EXPECT_FALSE(styleWindow()->isVisible());
    EXPECT_EQ(record().width, 120);
}

// Typing into the window is one undo step; undoing it restores the record and closes the window,
// whose layer is no longer current.
TEST_F(CustomStyleWindowTest, TypingIsOneUndoStep) {
    placedPasteLayers({kStretch, kStretch});
    clickRows(window->pasteList(), {1});
    command(cmd::kCurrentStyleLast);
    const Customize before = record();
    for (const char* text : {"1", "12", "120"})
        field("width")->setText(text);
    EXPECT_EQ(window->action(cmd::kUndo)->text(), "撤销 修改贴图层#2的自定义样式");
    command(cmd::kUndo);
    EXPECT_EQ(record(), before);
    EXPECT_EQ(doc.pasteLayers[1].overflowStyle, kCustom) << "the style change is a step of its own";
    EXPECT_FALSE(styleWindow()->isVisible());
}

TEST_F(CustomStyleWindowTest, KeepsTheSampleProportionsAndHidesWhenAnotherLayerIsSelected) {
    const std::string sample = (dir.path() / "tall.png").string();
    QImage picture(300, 600, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(QString::fromStdString(sample)));
    state().sources = {"", sample};
    placedPasteLayers({kStretch, kCustom});
    clickRows(window->pasteList(), {1});
    ASSERT_TRUE(styleWindow() && styleWindow()->isVisible());
    EXPECT_EQ(line("pictureLine"), "图片原始大小：300 x 600");
    EXPECT_TRUE(proportions()->isEnabled());
    EXPECT_TRUE(proportions()->isChecked());

    field("width")->setText("101");
    EXPECT_EQ(field("height")->text(), "202");
    EXPECT_EQ(record().height, 202);
    field("height")->setText("1");
    EXPECT_EQ(field("width")->text(), "1");
    EXPECT_EQ(record().width, 1);

    clickRows(window->pasteList(), {0});
    EXPECT_FALSE(styleWindow()->isVisible());
}

TEST_F(CustomStyleWindowTest, QuittingWithTheWindowShowingEndsTheEventLoop) {
    placedPasteLayers({kStretch});
    clickRows(window->pasteList(), {0});
    window->show();
    command(cmd::kCurrentStyleLast);
    ASSERT_TRUE(styleWindow()->isVisible());

    // 退出 without saving, then a guard that ends a loop that did not end by itself with another code.
    ui.answerBox(UiButton::No);
    QTimer::singleShot(0, window.get(), [this] { command(cmd::kExit); });
    QTimer::singleShot(5000, qApp, [] { QCoreApplication::exit(7); });
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(styleWindow()->isVisible());
}

}  // namespace plazor::testing
