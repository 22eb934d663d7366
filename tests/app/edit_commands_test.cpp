// Undo and redo through the dispatcher: every kind of edit is one step, the editor shows what a step
// put back, and the history follows the template's life.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QSlider>
#include <QTest>

#include <fstream>

#include "app/command_ids.h"
#include "layer_commands_fixture.h"
#include "template/template_file.h"

namespace plazor::testing {
namespace {

class EditCommands : public LayerCommandsTest {
  protected:
    std::string undoText() const { return window->action(cmd::kUndo)->text().toStdString(); }
    std::string redoText() const { return window->action(cmd::kRedo)->text().toStdString(); }

    // The lists, the background and output controls, the DPI and the editor state all show the
    // document, and no layer is left current.
    void expectEditorShowsDocument() {
        EXPECT_EQ(window->pasteList()->rowCount(), static_cast<int>(doc.pasteLayers.size()));
        EXPECT_EQ(window->watermarkList()->rowCount(), static_cast<int>(doc.watermarks.size()));
        EXPECT_EQ(window->sliceList()->rowCount(), static_cast<int>(doc.slices.size()));
        const PanelControls& c = window->panel();
        EXPECT_EQ(c.width->text().toStdString(), doc.background.szWidth);
        EXPECT_EQ(c.unit->currentIndex(), doc.background.unit);
        EXPECT_EQ(c.colour->currentIndex(), doc.background.colourChoice);
        EXPECT_EQ(prefs.dpi, doc.background.dpi);
        const Settings recorded = doc.settings;
        window->storeSettingsInDocument();
        EXPECT_EQ(doc.settings, recorded);
        EXPECT_EQ(state().current, CurrentLayer{});
        EXPECT_EQ(state().mode, CanvasMode::Idle);
    }
};

TEST_F(EditCommands, EveryKindOfEditIsOneStepBackAndForth) {
    EXPECT_EQ(undoText(), "撤销");
    EXPECT_FALSE(window->action(cmd::kUndo)->isEnabled());
    const PanelControls& c = window->panel();
    std::vector<std::string> states{serialiseTemplate(doc).value()};
    std::vector<std::string> labels;
    const auto step = [&](const std::string& label, const std::function<void()>& edit) {
        edit();
        EXPECT_EQ(undoText(), "撤销 " + label);
        states.push_back(serialiseTemplate(doc).value());
        labels.push_back(label);
    };
    step("新建贴图层", [&] { command(cmd::kPasteNew); });
    // A list's double click runs the edit command and its dialog: one step, named by the command.
    step("编辑贴图层#1", [&] {
        whileDialogOpen("Dialog_Picture_Layer_Property", [](QDialog& dialog) {
            type(dialog, "editX", "12");
            type(dialog, "editY", "34");
            type(dialog, "editWidth", "200");
            type(dialog, "editHeight", "100");
            pressOk(dialog);
        });
        emit window->pasteList()->cellDoubleClicked(0, 1);
    });
    step("修改贴图层#1的层次", [&] { command(cmd::kCurrentLevelBelow); });
    step("复制贴图层#1", [&] { command(cmd::kPasteCopy); });
    step("修改2个贴图层的溢出样式", [&] {
        clickRows(window->pasteList(), {0, 1});
        command(cmd::kSelectedStyleFirst + 3);
    });
    step("删除贴图层#1", [&] {
        clickRows(window->pasteList(), {0});
        command(cmd::kPasteDelete);
    });
    step("添加多宫格", [&] {
        whileDialogOpen("Dialog_Multi_Grid", [](QDialog& dialog) {
            type(dialog, "editX", "10");
            type(dialog, "editY", "20");
            type(dialog, "editTotalWidth", "100");
            type(dialog, "editTotalHeight", "60");
            type(dialog, "editColumns", "3");
            pressOk(dialog);
        });
        command(cmd::kPasteMultiGrid);
    });
    ASSERT_EQ(doc.pasteLayers.size(), 7u);
    step("新建横切片", [&] { command(cmd::kSliceNew); });
    // Typing is one step per edit session of the field.
    step("修改背景尺寸", [&] {
        for (const char* text : {"1", "12", "120"})
            c.width->setText(QString::fromUtf8(text));
    });
    step("修改尺寸单位", [&] {
        c.unit->setCurrentIndex(kUnitInches);
        command(ctl::kUnitList);
    });
    step("修改背景色", [&] {
        c.colour->setCurrentIndex(kColourTransparent);
        command(ctl::kColourList);
    });
    step("修改DPI", [&] { command(cmd::kDpiFirstFixed + 1); });
    step("修改输出设置", [&] {
        c.format->setCurrentIndex(kFormatPng);
        command(ctl::kFormatList);
    });
    step("修改输出设置", [&] {
        c.format->setCurrentIndex(kFormatJpg);
        command(ctl::kFormatList);
    });
    step("修改输出设置", [&] {
        for (int quality : {70, 60, 50})
            c.quality->setValue(quality);
    });
    step("切换水印层", [&] { c.watermarksOn->click(); });

    for (std::size_t i = states.size() - 1; i > 0; --i) {
        command(cmd::kUndo);
        EXPECT_EQ(serialiseTemplate(doc).value(), states[i - 1]) << "undoing " << labels[i - 1];
        EXPECT_EQ(redoText(), "重做 " + labels[i - 1]);
        expectEditorShowsDocument();
    }
    EXPECT_EQ(undoText(), "撤销");
    EXPECT_FALSE(window->action(cmd::kUndo)->isEnabled());
    for (std::size_t i = 1; i < states.size(); ++i) {
        command(cmd::kRedo);
        EXPECT_EQ(serialiseTemplate(doc).value(), states[i]) << "redoing " << labels[i - 1];
        expectEditorShowsDocument();
    }
    EXPECT_EQ(redoText(), "重做");
    EXPECT_FALSE(window->action(cmd::kRedo)->isEnabled());
}

TEST_F(EditCommands, UndoingBackToTheSavedBytesLeavesNothingToSave) {
    placedPasteLayers({kStretch});
    const std::string path = dir / "saved.dat";
    ui.answerSave(QString::fromStdString(path));
    command(cmd::kSaveTemplate);
    ASSERT_FALSE(isTemplateModified(doc));

    clickRows(window->pasteList(), {0});
    command(cmd::kPasteCopy);
    window->panel().png8->click();
    EXPECT_TRUE(isTemplateModified(doc));
    command(cmd::kUndo);
    command(cmd::kUndo);
    EXPECT_FALSE(isTemplateModified(doc));
    // So "new" asks nothing.
    command(cmd::kNewTemplate);
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_TRUE(doc.pasteLayers.empty());
}

TEST_F(EditCommands, NewAndOpenStartWithoutHistory) {
    command(cmd::kPasteNew);
    ui.answerBox(UiButton::No);
    command(cmd::kNewTemplate);
    EXPECT_FALSE(state().history.canUndo());
    EXPECT_EQ(undoText(), "撤销");

    command(cmd::kSliceNew);
    ui.answerOpen(std::nullopt);
    command(cmd::kOpenTemplate);
    EXPECT_TRUE(state().history.canUndo()) << "a cancelled open keeps the history";

    const std::string broken = dir / "broken.dat";
    std::ofstream(broken) << "{ not a template";
    ui.answerOpen(QString::fromStdString(broken));
    command(cmd::kOpenTemplate);
    EXPECT_FALSE(state().history.canUndo()) << "a failed open clears it too";
    EXPECT_FALSE(window->action(cmd::kUndo)->isEnabled());
}

// Ctrl+Z undoes in the main window, except in a text field with the focus, which keeps it.
TEST_F(EditCommands, ShortcutsLeaveTheFocusedFieldItsOwnUndo) {
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    command(cmd::kSliceNew);
    QLineEdit* width = window->panel().width;
    width->setFocus();
    for (const QKeyCombination keys : {Qt::CTRL | Qt::Key_Z, Qt::CTRL | Qt::Key_Y})
        QTest::keyClick(width, keys.key(), keys.keyboardModifiers());
    EXPECT_EQ(doc.slices.size(), 1u);

    window->canvas()->setFocus();
    QTest::keyClick(window->canvas(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(doc.slices.empty());
    QTest::keyClick(window->canvas(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(doc.slices.size(), 1u);
}

}  // namespace
}  // namespace plazor::testing
