// The position dialogs and the input box driven as a user would: fields typed, buttons pressed while
// the modal run is going on.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "dialogs/input_box.h"
#include "dialogs/paste_layer_dialog.h"
#include "dialogs/slice_dialog.h"
#include "dialogs/watermark_dialog.h"
#include "support/recording_ui_port.h"
#include "template/document.h"

namespace plazor {
namespace {

using testing::RecordingUiPort;

// Runs `script` inside the dialog's modal loop; whatever the script leaves open is then cancelled, so a
// failing script cannot hang the test.
template <typename Script>
void whileOpen(QDialog& dialog, Script script) {
    QTimer::singleShot(0, &dialog, [&dialog, script] {
        script();
        if (dialog.isVisible()) dialog.reject();
    });
}

QLineEdit* field(QWidget& dialog, const char* name) {
    return dialog.findChild<QLineEdit*>(name);
}
void press(QWidget& dialog, const char* button) {
    dialog.findChild<QPushButton*>(button)->click();
}

void expectHint(const RecordingUiPort& ui, const QWidget& owner, const QString& text) {
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text(), text);
    EXPECT_EQ(ui.boxes[0].caption(), "提示");
    EXPECT_EQ(ui.boxes[0].icon(), UiIcon::Warning);
    EXPECT_EQ(ui.boxes[0].request.owner, &owner);
}

PasteLayer placedLayer() {
    PasteLayer layer;
    layer.number = 2;
    layer.x = 10;
    layer.y = 20;
    layer.width = 300;
    layer.height = 400;
    return layer;
}

class DialogWidgets : public ::testing::Test {
  protected:
    QWidget owner;
    RecordingUiPort ui;
};

TEST_F(DialogWidgets, PasteLayerNotPlacedOpensEmptyAndAsksForX) {
    PasteLayerDialog dialog(&owner, ui);
    PasteLayer layer;
    layer.number = 3;
    layer.level = kBelowBackground;
    layer.overflowStyle = 4;
    whileOpen(dialog, [&] {
        EXPECT_EQ(QApplication::activeModalWidget(), &dialog);
        EXPECT_EQ(dialog.windowTitle(), "贴图层#3");
        for (const char* name : {"editX", "editY", "editWidth", "editHeight"}) {
            EXPECT_TRUE(field(dialog, name)->text().isEmpty()) << name;
        }
        EXPECT_EQ(dialog.findChild<QComboBox*>("levelList")->currentText(), "背景下方");
        EXPECT_EQ(dialog.findChild<QComboBox*>("styleList")->currentText(), "等比例缩放");
        field(dialog, "editY")->setFocus();
        press(dialog, "okButton");
        expectHint(ui, dialog, "请输入x坐标");
        EXPECT_EQ(dialog.focusWidget(), field(dialog, "editX"));
        EXPECT_TRUE(dialog.isVisible());
    });
    EXPECT_EQ(dialog.run(layer, 800, 600), std::nullopt);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.objectName(), "Dialog_Picture_Layer_Property");
    EXPECT_EQ(dialog.size(), QSize(389, 211));
}

TEST_F(DialogWidgets, PasteLayerReturnsTypedValuesWithTheStyleOfTheListPosition) {
    PasteLayerDialog dialog(&owner, ui);
    whileOpen(dialog, [&] {
        field(dialog, "editX")->setText("0");
        field(dialog, "editHeight")->setText("580");
        dialog.findChild<QComboBox*>("levelList")->setCurrentIndex(1);
        dialog.findChild<QComboBox*>("styleList")->setCurrentIndex(1);  // "等比例缩放"
        press(dialog, "okButton");
    });
    const auto values = dialog.run(placedLayer(), 800, 600);
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_EQ(values, (PasteLayerDialogValues{0, 20, 300, 580, kBelowBackground, 4}));
}

TEST(CustomStyleWindowChange, FollowsTheStyleInAndOutOfCustom) {
    using enum CustomStyleWindowChange;
    EXPECT_EQ(customStyleWindowChange(kCustom, 0), Hide);
    EXPECT_EQ(customStyleWindowChange(4, kCustom), Show);
    EXPECT_EQ(customStyleWindowChange(kCustom, kCustom), Keep);
    EXPECT_EQ(customStyleWindowChange(1, 3), Keep);
}

TEST_F(DialogWidgets, PasteLayerWidthBeyondTheBackgroundIsReplacedBeforeTheEdgeCheck) {
    PasteLayerDialog dialog(&owner, ui);
    whileOpen(dialog, [&] {
        field(dialog, "editX")->setText("100");
        field(dialog, "editWidth")->setText("9999");
        field(dialog, "editHeight")->setFocus();
        press(dialog, "okButton");
        EXPECT_EQ(field(dialog, "editWidth")->text(), "800");
        ASSERT_EQ(ui.boxes.size(), 1u);
        EXPECT_TRUE(ui.boxes[0].text().startsWith("x坐标  +  宽度  >  【背景层】宽度"));
        EXPECT_TRUE(ui.boxes[0].text().contains("900"));
        EXPECT_EQ(dialog.focusWidget(), field(dialog, "editHeight"));
        field(dialog, "editX")->setText("0");
        press(dialog, "okButton");
    });
    const auto values = dialog.run(placedLayer(), 800, 600);
    ASSERT_TRUE(values);
    EXPECT_EQ(values->width, 800);
}

TEST_F(DialogWidgets, PasteLayerWindowIsReusedAndRefilledOnEveryRun) {
    PasteLayerDialog dialog(&owner, ui);
    whileOpen(dialog, [&] {
        field(dialog, "editX")->setText("55");
        // A second request while the dialog runs only refreshes it.
        PasteLayer other = placedLayer();
        other.number = 9;
        other.x = 77;
        EXPECT_EQ(dialog.run(other, 800, 600), std::nullopt);
        EXPECT_EQ(dialog.windowTitle(), "贴图层#9");
        EXPECT_EQ(field(dialog, "editX")->text(), "77");
        press(dialog, "cancelButton");
    });
    EXPECT_EQ(dialog.run(placedLayer(), 800, 600), std::nullopt);

    PasteLayer unplaced;
    unplaced.number = 1;
    whileOpen(dialog, [&] {
        EXPECT_EQ(dialog.windowTitle(), "贴图层#1");
        EXPECT_TRUE(field(dialog, "editX")->text().isEmpty());
        EXPECT_EQ(dialog.focusWidget(), field(dialog, "editX"));
    });
    EXPECT_EQ(dialog.run(unplaced, 800, 600), std::nullopt);
    EXPECT_EQ(owner.findChildren<PasteLayerDialog*>().size(), 1);
}

TEST_F(DialogWidgets, WatermarkMustFitAtTheTypedPosition) {
    WatermarkDialog dialog(&owner, ui);
    WatermarkLayer watermark;
    watermark.number = 4;
    watermark.width = 100;
    watermark.height = 50;
    whileOpen(dialog, [&] {
        EXPECT_EQ(dialog.windowTitle(), "水印层#4");
        EXPECT_EQ(field(dialog, "editX")->text(), "0");
        field(dialog, "editX")->setText("750");
        press(dialog, "okButton");
        ASSERT_EQ(ui.boxes.size(), 1u);
        EXPECT_TRUE(ui.boxes[0].text().contains("850"));
        EXPECT_TRUE(ui.boxes[0].text().contains("800"));
        ui.boxes.clear();
        field(dialog, "editX")->setText("700");
        field(dialog, "editY")->clear();
        press(dialog, "okButton");
        expectHint(ui, dialog, "请输入y坐标");
        EXPECT_EQ(dialog.focusWidget(), field(dialog, "editY"));
        // The activation that follows the box keeps the refused field; any later one goes to x.
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(&dialog, &activate);
        EXPECT_EQ(dialog.focusWidget(), field(dialog, "editY"));
        QApplication::sendEvent(&dialog, &activate);
        EXPECT_EQ(dialog.focusWidget(), field(dialog, "editX"));
        field(dialog, "editY")->setText("550");
        press(dialog, "okButton");
    });
    EXPECT_EQ(dialog.run(watermark, 800, 600), (WatermarkPosition{700, 550}));
    EXPECT_EQ(dialog.objectName(), "Dialog_Watermark_Layer_Property");
}

TEST_F(DialogWidgets, SliceAcceptsAYInsideTheBackground) {
    SliceDialog dialog(&owner, ui);
    Slice slice;
    slice.number = 2;
    whileOpen(dialog, [&] {
        EXPECT_EQ(dialog.windowTitle(), "横切片#2");
        EXPECT_TRUE(field(dialog, "editY")->text().isEmpty());
        press(dialog, "okButton");
        expectHint(ui, dialog, "请输入y坐标");
        ui.boxes.clear();
        field(dialog, "editY")->setText("800");
        press(dialog, "okButton");
        expectHint(ui, dialog, "y坐标不能大于或等于【背景层】高度：800");
        field(dialog, "editY")->setText("799");
        press(dialog, "okButton");
    });
    EXPECT_EQ(dialog.run(slice, 800), 799);
    EXPECT_EQ(dialog.objectName(), "Dialog_CutLine_Layer_Property");
}

TEST_F(DialogWidgets, InputBoxChecksItsKindAndReturnsTheTrimmedValue) {
    InputBox box(&owner, ui);
    whileOpen(box, [&] {
        EXPECT_EQ(box.windowTitle(), "DPI 自定义");
        EXPECT_EQ(box.findChild<QLabel*>("prompt")->text(), "输入一个自定义的 DPI：");
        QLineEdit* edit = field(box, "edit");
        EXPECT_EQ(edit->selectedText(), "72");
        EXPECT_EQ(edit->maxLength(), 128);
        edit->setText("1.5");
        press(box, "okButton");
        expectHint(ui, box, "只可以输入一个整数");
        EXPECT_EQ(box.focusWidget(), edit);
        edit->setText("  -12 ");
        press(box, "okButton");
    });
    EXPECT_EQ(box.run({"DPI 自定义", "输入一个自定义的 DPI：", "72", InputKind::Integer}), "-12");
    EXPECT_EQ(box.objectName(), "Input_Dialog_");
    EXPECT_EQ(box.size(), QSize(430, 133));
}

TEST_F(DialogWidgets, InputBoxMasksCharactersAndClosingGivesNothing) {
    InputBox box(&owner, ui);
    whileOpen(box, [&] {
        QLineEdit* edit = field(box, "edit");
        EXPECT_EQ(edit->echoMode(), QLineEdit::Password);
        EXPECT_EQ(edit->maxLength(), 2);
        edit->setText("\\t");
        box.close();
    });
    EXPECT_EQ(box.run({"t", "p", "", InputKind::Character, true}), std::nullopt);

    whileOpen(box, [&] {
        QLineEdit* edit = field(box, "edit");
        EXPECT_EQ(edit->echoMode(), QLineEdit::Normal);
        edit->setText("\\t");
        press(box, "okButton");
    });
    EXPECT_EQ(box.run({"t", "p", "", InputKind::Character}), "\t");
    EXPECT_TRUE(ui.boxes.empty());
}

}  // namespace
}  // namespace plazor
