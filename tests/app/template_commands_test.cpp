// New, open, save, save as and close: the question before a changed template is dropped, the file
// dialogs with the ".dat" rule, the error boxes, and a loaded template mirrored into the window.
#include <gtest/gtest.h>

#include <QAbstractScrollArea>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>

#include "app/colour_swatch.h"
#include "app/command_ids.h"
#include "dialogs/number_field_filter.h"
#include "layer_commands_fixture.h"
#include "template/template_file.h"

namespace plazor::testing {
namespace {

class TemplateCommands : public LayerCommandsTest {
  protected:
    const PanelControls& controls() const { return window->panel(); }

    // Saves through the dialog of 35202 under `name` in the templates folder.
    std::string saveAs(const std::string& name) {
        const std::string path = folders.templates + "/" + name;
        ui.answerSave(QString::fromStdString(path));
        command(cmd::kSaveTemplate);
        return path;
    }

    void expectSaveQuestion(const RecordingUiPort::Box& box) {
        EXPECT_EQ(box.text(), "当前模版已更改，是否保存更改？");
        EXPECT_EQ(box.caption(), "询问");
        EXPECT_EQ(box.icon(), UiIcon::Question);
        EXPECT_EQ(box.request.buttons, UiButtons::YesNoCancel);
    }

    void expectHint(const QString& text) {
        ASSERT_EQ(ui.boxes.size(), 1u);
        EXPECT_EQ(ui.lastBox().text(), text);
        EXPECT_EQ(ui.lastBox().caption(), "提示");
        EXPECT_EQ(ui.lastBox().icon(), UiIcon::Error);
    }
};

TEST_F(TemplateCommands, WithoutPasteLayersNothingIsAskedHoweverMuchWasEdited) {
    controls().width->setText("1234");
    controls().colour->setCurrentIndex(kColourTransparent);
    command(ctl::kColourList);
    doc.addSlice(40);
    command(cmd::kNewTemplate);
    EXPECT_TRUE(ui.boxes.empty());
    // The reset put the new template's values back.
    EXPECT_EQ(controls().width->text(), "800");
    EXPECT_EQ(controls().colour->currentIndex(), kColourWhite);
    EXPECT_EQ(doc.background.width, 800);
    EXPECT_EQ(doc.background.transparent, 0);
    EXPECT_TRUE(doc.slices.empty());
}

TEST_F(TemplateCommands, SaveAppendsDatAndASavedUntouchedTemplateIsNotAskedAbout) {
    placedPasteLayers({kStretch});
    const std::string path = saveAs("first");
    ASSERT_EQ(ui.choosers.size(), 1u);
    EXPECT_EQ(ui.choosers[0].title, "模版保存到");
    EXPECT_EQ(ui.choosers[0].filter, "模版文件 (*.dat)");
    EXPECT_EQ(ui.choosers[0].defaultSuffix, "dat");
    EXPECT_EQ(ui.choosers[0].startPath.toStdString(), folders.templates);
    EXPECT_EQ(doc.currentPath, path + ".dat");
    EXPECT_EQ(readFile(path + ".dat"), serialiseTemplate(doc).value());
    EXPECT_EQ(window->windowTitle(), "Plazor图片排版工具 - first.dat");

    // A second save writes to the same file without asking for a path.
    command(cmd::kSaveTemplate);
    EXPECT_EQ(ui.choosers.size(), 1u);

    command(cmd::kNewTemplate);
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_TRUE(doc.pasteLayers.empty());
    EXPECT_EQ(controls().pasteList->rowCount(), 0);
    EXPECT_EQ(window->windowTitle(), "Plazor图片排版工具 - 新模版");
}

TEST_F(TemplateCommands, SaveAsKeepsAnyCaseOfDatAndAlwaysAsks) {
    placedPasteLayers({kStretch});
    saveAs("kept.DAT");
    EXPECT_EQ(doc.currentPath, folders.templates + "/kept.DAT");

    ui.answerSave(QString::fromStdString(folders.templates + "/other"));
    command(cmd::kSaveTemplateAs);
    ASSERT_EQ(ui.choosers.size(), 2u);
    EXPECT_EQ(ui.choosers[1].title, "模版另存为");
    EXPECT_EQ(doc.currentPath, folders.templates + "/other.dat");
    EXPECT_TRUE(std::filesystem::exists(doc.currentPath));
}

TEST_F(TemplateCommands, AFailedSaveIsReportedAndKeepsThePath) {
    placedPasteLayers({kStretch});
    const std::string path = dir / "missing-folder/t.dat";
    ui.answerSave(QString::fromStdString(path));
    command(cmd::kSaveTemplate);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.lastBox().text(), "写入文件时出错，文件句柄打开出错");
    EXPECT_EQ(ui.lastBox().caption(), "错误");
    EXPECT_EQ(ui.lastBox().icon(), UiIcon::Error);
    EXPECT_TRUE(info->text().contains(QString::fromStdString("保存模版文件 '" + path + "' 时发生错误:")));
    EXPECT_TRUE(doc.currentPath.empty());
    EXPECT_EQ(window->windowTitle(), "Plazor图片排版工具 - 新模版");
}

TEST_F(TemplateCommands, AnEditedTemplateIsAskedAboutAndCancelKeepsIt) {
    placedPasteLayers({kStretch});
    const std::string path = saveAs("t.dat");
    controls().format->setCurrentIndex(kFormatPng);  // an output setting counts as an edit too
    command(ctl::kFormatList);

    ui.answerBox(UiButton::Cancel);
    command(cmd::kNewTemplate);
    ASSERT_EQ(ui.boxes.size(), 1u);
    expectSaveQuestion(ui.lastBox());
    EXPECT_EQ(doc.pasteLayers.size(), 1u);
    EXPECT_EQ(doc.currentPath, path);

    // Yes saves first, then goes on with the new template.
    ui.answerBox(UiButton::Yes);
    command(cmd::kNewTemplate);
    EXPECT_TRUE(doc.pasteLayers.empty());
    EXPECT_NE(readFile(path).find("\"format\":\t\"PNG\""), std::string::npos);
    // The output settings are not part of the reset.
    EXPECT_EQ(controls().format->currentText(), "PNG");
}

TEST_F(TemplateCommands, ClosingAsksAndCancelKeepsTheWindowOpen) {
    placedPasteLayers({kStretch});
    window->show();
    ui.answerBox(UiButton::Cancel);
    command(cmd::kExit);
    ASSERT_EQ(ui.boxes.size(), 1u);
    expectSaveQuestion(ui.lastBox());
    EXPECT_TRUE(window->isVisible());

    // Yes with a cancelled save dialog keeps the window and the work.
    ui.answerBox(UiButton::Yes);
    EXPECT_FALSE(window->close());
    EXPECT_EQ(ui.boxes.size(), 2u);
    EXPECT_EQ(ui.choosers.size(), 1u);
    EXPECT_TRUE(window->isVisible());

    // Yes with a saved template closes.
    ui.answerBox(UiButton::Yes).answerSave(QString::fromStdString(folders.templates + "/kept.dat"));
    EXPECT_TRUE(window->close());
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(readFile(folders.templates + "/kept.dat"), serialiseTemplate(doc).value());
}

TEST_F(TemplateCommands, YesThenNoSaveStopsNewAndOpenWithTheWorkKept) {
    placedPasteLayers({kStretch, kCropCentre});
    // The save dialog cancelled, then a write that fails: neither new nor open goes on.
    ui.answerBox(UiButton::Yes);
    command(cmd::kNewTemplate);
    ui.answerBox(UiButton::Yes).answerSave(QString::fromStdString(dir / "no-such-folder/t.dat"));
    command(cmd::kOpenTemplate);
    EXPECT_EQ(doc.pasteLayers.size(), 2u);
    EXPECT_EQ(controls().pasteList->rowCount(), 2);
    // Two save dialogs and no open dialog.
    ASSERT_EQ(ui.choosers.size(), 2u);
    EXPECT_EQ(ui.choosers[0].kind, RecordingUiPort::ChooserKind::Save);
    EXPECT_EQ(ui.choosers[1].kind, RecordingUiPort::ChooserKind::Save);
    EXPECT_TRUE(ui.allAnswersUsed());
}

TEST_F(TemplateCommands, NewAndAFailedOpenScrollTheCanvasBackToTheTopLeft) {
    auto* canvas = qobject_cast<QAbstractScrollArea*>(window->canvas());
    ASSERT_NE(canvas, nullptr);
    window->resize(1200, 900);
    window->show();
    controls().width->setText("5000");
    controls().height->setText("6000");
    const auto scrollAway = [&] {
        canvas->horizontalScrollBar()->setValue(700);
        canvas->verticalScrollBar()->setValue(900);
        ASSERT_EQ(state().scrollX, 700);
        ASSERT_EQ(state().scrollY, 900);
    };
    const auto expectTopLeft = [&] {
        EXPECT_EQ(canvas->horizontalScrollBar()->value(), 0);
        EXPECT_EQ(canvas->verticalScrollBar()->value(), 0);
        EXPECT_EQ(state().scrollX, 0);
        EXPECT_EQ(state().scrollY, 0);
    };
    scrollAway();
    command(cmd::kZoomFirst + 4);  // 200%: the zoom is kept by new
    command(cmd::kNewTemplate);
    expectTopLeft();
    EXPECT_EQ(state().zoom, 2.0);

    controls().width->setText("5000");
    controls().height->setText("6000");
    scrollAway();
    ui.answerOpen(QString::fromStdString(folders.templates + "/none.dat"));
    command(cmd::kOpenTemplate);
    expectTopLeft();
}

TEST_F(TemplateCommands, OpenReportsUnreadableFilesInItsDialog) {
    const std::string missing = folders.templates + "/none.dat";
    ui.answerOpen(QString::fromStdString(missing));
    command(cmd::kOpenTemplate);
    ASSERT_EQ(ui.choosers.size(), 1u);
    EXPECT_EQ(ui.choosers[0].title, "打开模版");
    EXPECT_EQ(ui.choosers[0].filter, "模版文件 (*.dat)");
    EXPECT_EQ(ui.choosers[0].startPath.toStdString(), folders.templates);
    expectHint("读取文件时出错, 无法打开文件句柄");

    ui.boxes.clear();
    const std::string empty = folders.templates + "/empty.dat";
    writeFile(empty, "");
    ui.answerOpen(QString::fromStdString(empty));
    command(cmd::kOpenTemplate);
    expectHint("读取文件时出错");
    EXPECT_TRUE(doc.currentPath.empty());
}

TEST_F(TemplateCommands, AFormatErrorKeepsWhatWasAppliedWithoutAPath) {
    const std::string path = folders.templates + "/half.dat";
    writeFile(path, R"({"background_type": 1, "width": "640", "height": "480", "background_color": "none",
                       "picture_items": [{"x": 1, "y": 2, "width": 30, "height": 40, "layer_level": 0,
                                          "overflow_style": 1}]})");
    ui.answerOpen(QString::fromStdString(path));
    command(cmd::kOpenTemplate);
    expectHint("文件格式不对！");
    EXPECT_EQ(controls().width->text(), "640");
    EXPECT_EQ(controls().colour->currentText(), "透明");
    EXPECT_EQ(controls().pasteList->rowCount(), 1);
    EXPECT_TRUE(doc.currentPath.empty());
    EXPECT_EQ(window->windowTitle(), "Plazor图片排版工具 - 新模版");
}

TEST_F(TemplateCommands, AGoodOpenIsMirroredIntoTheWindowAndNeedsNoSaving) {
    Document saved;
    saved.background.unit = kUnitCentimetres;
    saved.background.dpi = 300;
    saved.background.width = 1240;
    saved.background.szWidth = "10.50";
    saved.background.height = 1181;
    saved.background.szHeight = "10.00";
    saved.setBackgroundColour(kColourCustom, 0x336699);
    saved.addPasteLayer(kAboveBackground, kStretch);
    saved.setPasteLayerRect(0, 0, 0, 100, 100);
    saved.addPasteLayer(kBelowBackground, kCropCentre);
    saved.addWatermark(dir / "gone.png", 5, 6);
    saved.addSlice(300);
    saved.settings.format = kFormatPng;
    saved.settings.png8 = true;
    saved.settings.colourCount = 16;
    saved.settings.cutlineOpen = false;
    const std::string path = folders.templates + "/loaded.dat";
    writeFile(path, serialiseTemplate(saved).value());

    ui.answerOpen(QString::fromStdString(path));
    command(cmd::kOpenTemplate);
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_EQ(window->windowTitle(), "Plazor图片排版工具 - loaded.dat");
    EXPECT_EQ(doc.currentPath, path);

    const PanelControls& c = controls();
    EXPECT_TRUE(c.customOption->isChecked());
    EXPECT_EQ(c.unit->currentText(), "厘米");
    EXPECT_EQ(c.width->text(), "10.50");
    EXPECT_EQ(c.width->maxLength(), 6);
    EXPECT_NE(c.width->findChild<NumberFieldFilter*>(), nullptr);
    EXPECT_EQ(c.colour->currentText(), "选择");
    EXPECT_TRUE(c.swatch->isEnabled());
    EXPECT_EQ(c.swatch->colour(), 0x336699u);
    EXPECT_EQ(state().colourText, "#996633");
    EXPECT_EQ(c.format->currentText(), "PNG");
    EXPECT_TRUE(c.png8->isChecked());
    EXPECT_FALSE(c.colourCount->isHidden());
    EXPECT_EQ(c.colourCount->currentText(), "16");
    EXPECT_FALSE(c.slicesOn->isChecked());
    EXPECT_FALSE(c.sliceList->isEnabled());
    EXPECT_EQ(c.pasteList->rowCount(), 2);
    EXPECT_EQ(selectedRows(c.pasteList), std::vector<int>{0});
    EXPECT_EQ(c.watermarkList->rowCount(), 1);
    EXPECT_EQ(c.sliceList->rowCount(), 1);

    EXPECT_EQ(prefs.dpi, 300);
    EXPECT_EQ(window->statusText(kStatusDpi), "\t300 dpi");
    EXPECT_EQ(window->statusText(kStatusBackgroundSize), "1240 x 1181 像素");
    EXPECT_TRUE(
        info->text().contains(QString::fromStdString("水印层#1 的图片 '" + dir / "gone.png" + "' 已不存在")));

    command(cmd::kNewTemplate);
    EXPECT_TRUE(ui.boxes.empty());
}

}  // namespace
}  // namespace plazor::testing
