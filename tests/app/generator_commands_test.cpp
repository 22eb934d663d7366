// The multi-grid (35305) and heart layout (35306) commands with their dialogs.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>

#include <array>

#include "app/colour_swatch.h"
#include "app/command_ids.h"
#include "layer_commands_fixture.h"

namespace plazor::testing {
namespace {

class GeneratorCommands : public LayerCommandsTest {
  protected:
    std::vector<std::array<int, 4>> pasteRects() const {
        std::vector<std::array<int, 4>> rects;
        for (const PasteLayer& layer : doc.pasteLayers)
            rects.push_back({layer.x, layer.y, layer.width, layer.height});
        return rects;
    }
    static QString text(QDialog& dialog, const char* field) {
        return dialog.findChild<QLineEdit*>(field)->text();
    }
};

TEST_F(GeneratorCommands, GridAppendsCellsRowByRowAndSelectsTheLast) {
    prefs.setDefaultLayerLevel(kBelowBackground);
    prefs.setDefaultOverflowStyle(kCropCentre);
    placedPasteLayers({kStretch, kStretch});
    whileDialogOpen("Dialog_Multi_Grid", [this](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "添加多宫格");
        EXPECT_EQ(text(dialog, "editTotalWidth"), "800");
        EXPECT_EQ(text(dialog, "editInnerSpacing"), "4");
        EXPECT_EQ(text(dialog, "editRows"), "2");
        type(dialog, "editX", "10");
        type(dialog, "editY", "20");
        type(dialog, "editTotalWidth", "9000");
        type(dialog, "editTotalHeight", "60");
        pressOk(dialog);
        // The oversized width is cut to the background's in the field, and the block does not fit.
        EXPECT_EQ(text(dialog, "editTotalWidth"), "800");
        ASSERT_EQ(ui.boxes.size(), 1u);
        EXPECT_TRUE(ui.boxes[0].text().startsWith("x坐标  +  总宽度"));
        EXPECT_EQ(ui.boxes[0].caption(), "提示");
        EXPECT_TRUE(dialog.isVisible());
        type(dialog, "editTotalWidth", "100");
        type(dialog, "editInnerSpacing", "4");
        type(dialog, "editColumns", "3");
        pressOk(dialog);
    });
    command(cmd::kPasteMultiGrid);
    EXPECT_EQ(pasteNumbers(), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8}));
    const std::vector<std::array<int, 4>> rects = pasteRects();
    EXPECT_EQ(std::vector(rects.begin() + 2, rects.end()),
              (std::vector<std::array<int, 4>>{{10, 20, 30, 28},
                                               {44, 20, 30, 28},
                                               {78, 20, 30, 28},
                                               {10, 52, 30, 28},
                                               {44, 52, 30, 28},
                                               {78, 52, 30, 28}}));
    EXPECT_EQ(doc.pasteLayers.back().level, kBelowBackground);
    EXPECT_EQ(doc.pasteLayers.back().overflowStyle, kCropCentre);
    EXPECT_EQ(window->pasteList()->rowCount(), 8);
    EXPECT_EQ(selectedRows(window->pasteList()), std::vector<int>{7});
    EXPECT_TRUE(state().current.is(LayerKind::Paste));
    EXPECT_EQ(state().current.index, 7);

    // The next run starts from the initial texts again; cancelling adds nothing.
    whileDialogOpen("Dialog_Multi_Grid", [](QDialog& dialog) {
        EXPECT_EQ(text(dialog, "editX"), "0");
        EXPECT_EQ(text(dialog, "editColumns"), "2");
    });
    command(cmd::kPasteMultiGrid);
    EXPECT_EQ(doc.pasteLayers.size(), 8u);
}

TEST_F(GeneratorCommands, HeartDialogKeepsItsFieldsInStep) {
    whileDialogOpen("Dialog_Heart_Layout", [](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "添加心型图");
        auto* sizeText = dialog.findChild<QLabel*>("sizeText");
        EXPECT_EQ(sizeText->text(), "心型图尺寸：708 x 606, 需要的背景层尺寸: 772 x 670");
        // "全部相同" copies the left fill; the small height follows the width.
        type(dialog, "editFillLeft", "10");
        EXPECT_EQ(text(dialog, "editFillBottom"), "10");
        EXPECT_FALSE(dialog.findChild<QLineEdit*>("editFillTop")->isEnabled());
        type(dialog, "editSmallWidth", "50");
        EXPECT_EQ(text(dialog, "editSmallHeight"), "50");
        EXPECT_EQ(sizeText->text(), "心型图尺寸：386 x 330, 需要的背景层尺寸: 406 x 350");
        dialog.findChild<QCheckBox*>("allSame")->click();
        EXPECT_TRUE(dialog.findChild<QLineEdit*>("editFillTop")->isEnabled());

        // Placing: the fills give way to the alignments; a centred direction has no margin.
        dialog.findChild<QRadioButton*>("placeMode")->click();
        EXPECT_FALSE(dialog.findChild<QLineEdit*>("editFillLeft")->isEnabled());
        EXPECT_FALSE(dialog.findChild<QLineEdit*>("editHorizontalMargin")->isEnabled());
        dialog.findChild<QComboBox*>("horizontalAlign")->setCurrentIndex(1);
        EXPECT_TRUE(dialog.findChild<QLineEdit*>("editHorizontalMargin")->isEnabled());
        EXPECT_EQ(sizeText->text(), "");
        type(dialog, "editHorizontalMargin", "7");
        EXPECT_EQ(sizeText->text(), "心型图尺寸：386 x 330, 需要的背景层尺寸: 393 x 330");
    });
    command(cmd::kPasteHeart);
    EXPECT_TRUE(doc.pasteLayers.empty());

    // Every run starts from the defaults again.
    whileDialogOpen("Dialog_Heart_Layout", [](QDialog& dialog) {
        EXPECT_TRUE(dialog.findChild<QRadioButton*>("resizeMode")->isChecked());
        EXPECT_EQ(text(dialog, "editSmallWidth"), "96");
        EXPECT_EQ(text(dialog, "editHorizontalMargin"), "");
    });
    command(cmd::kPasteHeart);
    EXPECT_TRUE(doc.pasteLayers.empty());
}

TEST_F(GeneratorCommands, HeartResizesAPictureBackgroundToAColourOneInPixels) {
    const PanelControls& controls = window->panel();
    controls.unit->setCurrentIndex(kUnitCentimetres);
    command(ctl::kUnitList);
    doc.usePictureBackground();
    controls.pictureOption->setChecked(true);
    placedPasteLayers({kStretch});

    whileDialogOpen("Dialog_Heart_Layout", [](QDialog& dialog) { pressOk(dialog); });
    command(cmd::kPasteHeart);
    EXPECT_EQ(doc.background.kind, kColourBackground);
    EXPECT_TRUE(controls.customOption->isChecked());
    EXPECT_EQ(doc.background.unit, kUnitPixels);
    EXPECT_EQ(doc.background.width, 772);
    EXPECT_EQ(doc.background.height, 670);
    EXPECT_EQ(controls.width->text(), "772");
    EXPECT_EQ(controls.height->text(), "670");
    EXPECT_EQ(window->statusText(kStatusBackgroundSize), "772 x 670 像素");
    ASSERT_EQ(doc.pasteLayers.size(), 28u);
    EXPECT_EQ(window->pasteList()->rowCount(), 28);
    EXPECT_EQ(doc.pasteLayers[1].number, 2);
    // The first cell is the second column of the top row, the last the tip.
    const std::vector<std::array<int, 4>> rects = pasteRects();
    EXPECT_EQ(rects[1], (std::array{32 + 102, 32, 96, 96}));
    EXPECT_EQ(rects.back(), (std::array{32 + 3 * 102, 32 + 5 * 102, 96, 96}));
}

TEST_F(GeneratorCommands, HeartResizeModeTurnsATransparentOrColouredBackgroundWhite) {
    const PanelControls& controls = window->panel();
    for (const int choice : {kColourTransparent, kColourCustom}) {
        doc.pasteLayers.clear();
        window->refreshLists();
        ui.answerColour(0x336699);
        controls.colour->setCurrentIndex(choice);
        command(ctl::kColourList);
        ASSERT_EQ(doc.background.colourChoice, choice);

        whileDialogOpen("Dialog_Heart_Layout", [](QDialog& dialog) { pressOk(dialog); });
        command(cmd::kPasteHeart);
        EXPECT_EQ(controls.colour->currentIndex(), kColourWhite) << choice;
        EXPECT_EQ(doc.background.colourChoice, kColourWhite) << choice;
        EXPECT_EQ(doc.background.transparent, 0) << choice;
        EXPECT_EQ(doc.background.colour, 0xFFFFFFu) << choice;
        EXPECT_FALSE(controls.swatch->isEnabled()) << choice;
        EXPECT_EQ(doc.background.width, 772);
    }
}

TEST_F(GeneratorCommands, HeartPlacedOnTheBackgroundMustFit) {
    whileDialogOpen("Dialog_Heart_Layout", [this](QDialog& dialog) {
        dialog.findChild<QRadioButton*>("placeMode")->click();
        dialog.findChild<QComboBox*>("verticalAlign")->setCurrentIndex(1);  // bottom
        type(dialog, "editVerticalMargin", "195");
        pressOk(dialog);
        ASSERT_EQ(ui.boxes.size(), 1u);
        EXPECT_TRUE(ui.boxes[0].text().contains("　　  　801　　  　　　　　　　800"));
        type(dialog, "editVerticalMargin", "194");
        pressOk(dialog);
    });
    command(cmd::kPasteHeart);
    EXPECT_EQ(doc.background.width, 800);
    ASSERT_EQ(doc.pasteLayers.size(), 27u);
    // Centred across 800 - 708, bottom at 800 - 606 - 194 = 0.
    EXPECT_EQ(pasteRects().front(), (std::array{46 + 102, 0, 96, 96}));
}

}  // namespace
}  // namespace plazor::testing
