// Paste layer commands driven through the main window's dispatcher.
#include <QComboBox>
#include <QSignalSpy>

#include <array>

#include "app/command_ids.h"
#include "layer_commands_fixture.h"
#include "template/names.h"

namespace plazor::testing {
namespace {

using PasteCommands = LayerCommandsTest;

TEST_F(PasteCommands, NewLayersTakeTheDefaultsAndWaitToBeDrawn) {
    prefs.setDefaultLayerLevel(kBelowBackground);
    prefs.setDefaultOverflowStyle(kScaleToFit);
    placedPasteLayers({kStretch});
    clickRows(window->pasteList(), {0});
    EXPECT_EQ(window->statusText(kStatusLayerSize), "100 x 50 像素");

    command(cmd::kPasteNew);
    ASSERT_EQ(doc.pasteLayers.size(), 2u);
    const PasteLayer& added = doc.pasteLayers[1];
    EXPECT_FALSE(added.isPlaced());
    EXPECT_EQ(added.level, kBelowBackground);
    EXPECT_EQ(added.overflowStyle, kScaleToFit);
    EXPECT_EQ(rowTexts(window->pasteList(), 1), (QStringList{"2", "", "", "", "", "背景下方", "等比例缩放"}));
    EXPECT_EQ(selectedRows(window->pasteList()), std::vector<int>{1});
    EXPECT_EQ(state().current, (CurrentLayer{LayerKind::Paste, 1}));
    EXPECT_EQ(state().mode, CanvasMode::PastePending);
    EXPECT_EQ(pasteFlags(), (std::vector<bool>{false, true}));
    EXPECT_EQ(window->statusText(kStatusLayerSize), "");
}

TEST_F(PasteCommands, InsertGoesBeforeTheFocusedSelectedRowAndRenumbersTheRest) {
    placedPasteLayers({kStretch, kStretch, kCropCentre});
    clickRows(window->pasteList(), {0, 2});  // row 2 focused
    QSignalSpy previews(&state(), &EditorState::previewsInvalidated);

    command(cmd::kPasteInsert);
    ASSERT_EQ(doc.pasteLayers.size(), 4u);
    EXPECT_EQ(pasteNumbers(), (std::vector<int>{1, 2, 3, 4}));
    EXPECT_FALSE(doc.pasteLayers[2].isPlaced());
    EXPECT_EQ(doc.pasteLayers[3].overflowStyle, kCropCentre);
    EXPECT_EQ(rowTexts(window->pasteList(), 2), (QStringList{"3", "", "", "", "", "背景上方", "填充式缩放"}));
    EXPECT_EQ(rowTexts(window->pasteList(), 3),
              (QStringList{"4", "30", "5", "100", "50", "背景上方", "裁剪正中间"}));
    EXPECT_EQ(selectedRows(window->pasteList()), std::vector<int>{2});
    EXPECT_EQ(state().current, (CurrentLayer{LayerKind::Paste, 2}));
    EXPECT_EQ(state().mode, CanvasMode::PastePending);
    ASSERT_EQ(previews.size(), 1);
    EXPECT_EQ(previews[0][0].toInt(), 2);

    // Without a focused selected row the first selected one counts.
    clickRows(window->pasteList(), {1, 3});
    window->pasteList()->selectionModel()->setCurrentIndex(window->pasteList()->model()->index(0, 0),
                                                           QItemSelectionModel::NoUpdate);
    command(cmd::kPasteInsert);
    EXPECT_EQ(doc.pasteLayers.size(), 5u);
    EXPECT_EQ(state().current, (CurrentLayer{LayerKind::Paste, 1}));
}

TEST_F(PasteCommands, CopiesAreAppendedAndBecomeTheSelection) {
    placedPasteLayers({kStretch, kCropTopLeft, kCustom});
    doc.pasteLayers[2].customize.width = 77;
    doc.setPasteLayerLevel(2, kBelowBackground);
    clickRows(window->pasteList(), {0, 2});

    command(cmd::kPasteCopy);
    ASSERT_EQ(doc.pasteLayers.size(), 5u);
    EXPECT_EQ(pasteNumbers(), (std::vector<int>{1, 2, 3, 4, 5}));
    EXPECT_EQ(doc.pasteLayers[3].x, doc.pasteLayers[0].x);
    EXPECT_EQ(doc.pasteLayers[4].customize, doc.pasteLayers[2].customize);
    EXPECT_EQ(doc.pasteLayers[4].level, kBelowBackground);
    EXPECT_EQ(rowTexts(window->pasteList(), 4),
              (QStringList{"5", "30", "5", "100", "50", "背景下方", "自定义"}));
    EXPECT_EQ(selectedRows(window->pasteList()), (std::vector<int>{3, 4}));
    EXPECT_EQ(pasteFlags(), (std::vector<bool>{false, false, false, true, true}));
    EXPECT_EQ(state().mode, CanvasMode::MultipleSelection);
    EXPECT_EQ(state().current, CurrentLayer{});
}

TEST_F(PasteCommands, DeletingSelectsTheRowAtTheLowestDeletedPosition) {
    placedPasteLayers({kStretch, kStretch, kStretch, kCropCentre});
    clickRows(window->pasteList(), {1, 2});
    QSignalSpy previews(&state(), &EditorState::previewsInvalidated);

    command(cmd::kPasteDelete);
    ASSERT_EQ(doc.pasteLayers.size(), 2u);
    EXPECT_EQ(pasteNumbers(), (std::vector<int>{1, 2}));
    EXPECT_EQ(window->pasteList()->rowCount(), 2);
    EXPECT_EQ(rowTexts(window->pasteList(), 1),
              (QStringList{"2", "40", "5", "100", "50", "背景上方", "裁剪正中间"}));
    EXPECT_EQ(selectedRows(window->pasteList()), std::vector<int>{1});
    EXPECT_EQ(state().current, (CurrentLayer{LayerKind::Paste, 1}));
    EXPECT_EQ(state().mode, CanvasMode::PasteSelected);
    EXPECT_FALSE(state().deleting);
    ASSERT_EQ(previews.size(), 1);
    EXPECT_EQ(previews[0][0].toInt(), 1);
}

TEST_F(PasteCommands, DeletingTheLastRowsSelectsTheNewLastAndDeletingAllLeavesNoCurrentLayer) {
    placedPasteLayers({kStretch, kStretch, kStretch});
    clickRows(window->pasteList(), {1, 2});
    command(cmd::kPasteDelete);
    EXPECT_EQ(selectedRows(window->pasteList()), std::vector<int>{0});
    EXPECT_EQ(state().current, (CurrentLayer{LayerKind::Paste, 0}));
    EXPECT_EQ(window->statusText(kStatusLayerSize), "100 x 50 像素");

    command(cmd::kPasteDelete);
    EXPECT_TRUE(doc.pasteLayers.empty());
    EXPECT_EQ(window->pasteList()->rowCount(), 0);
    EXPECT_EQ(state().current, CurrentLayer{});
    EXPECT_EQ(state().mode, CanvasMode::Idle);
    EXPECT_EQ(window->statusText(kStatusLayerSize), "");
}

TEST_F(PasteCommands, EditTakesOverTheDialogsValuesAndFollowsTheCustomStyle) {
    command(cmd::kPasteNew);
    QSignalSpy customWindow(&state(), &EditorState::customStyleWindowRequested);
    QSignalSpy scrolled(&state(), &EditorState::scrollIntoViewRequested);
    whileDialogOpen("Dialog_Picture_Layer_Property", [](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "贴图层#1");
        type(dialog, "editX", "12");
        type(dialog, "editY", "34");
        type(dialog, "editWidth", "200");
        type(dialog, "editHeight", "100");
        dialog.findChild<QComboBox*>("levelList")->setCurrentIndex(1);
        dialog.findChild<QComboBox*>("styleList")->setCurrentIndex(listPositionOfOverflowStyle(kCustom));
        pressOk(dialog);
    });
    command(cmd::kPasteEdit);
    const PasteLayer& layer = doc.pasteLayers[0];
    EXPECT_EQ((std::array{layer.x, layer.y, layer.width, layer.height}), (std::array{12, 34, 200, 100}));
    EXPECT_EQ(layer.level, kBelowBackground);
    EXPECT_EQ(layer.overflowStyle, kCustom);
    EXPECT_EQ(rowTexts(window->pasteList(), 0),
              (QStringList{"1", "12", "34", "200", "100", "背景下方", "自定义"}));
    EXPECT_EQ(window->statusText(kStatusLayerSize), "200 x 100 像素");
    // Drawn by its numbers, the layer no longer waits for the pointer.
    EXPECT_EQ(state().mode, CanvasMode::PasteSelected);
    ASSERT_EQ(customWindow.size(), 1);
    EXPECT_EQ(customWindow[0][0].toInt(), 0);
    EXPECT_EQ(scrolled.size(), 1);

    whileDialogOpen("Dialog_Picture_Layer_Property", [](QDialog& dialog) {
        dialog.findChild<QComboBox*>("styleList")->setCurrentIndex(listPositionOfOverflowStyle(kCropTopLeft));
        pressOk(dialog);
    });
    command(cmd::kPasteEdit);
    EXPECT_EQ(doc.pasteLayers[0].overflowStyle, kCropTopLeft);
    ASSERT_EQ(customWindow.size(), 2);
    EXPECT_EQ(customWindow[1][0].toInt(), -1);

    // A cancelled run changes nothing.
    whileDialogOpen("Dialog_Picture_Layer_Property", [](QDialog& dialog) { type(dialog, "editX", "0"); });
    command(cmd::kPasteEdit);
    EXPECT_EQ(doc.pasteLayers[0].x, 12);
    EXPECT_EQ(scrolled.size(), 2);
}

TEST_F(PasteCommands, LevelAndStyleOfAllSelectedLayersKeepTheSelection) {
    placedPasteLayers({kStretch, kCustom, kStretch});
    clickRows(window->pasteList(), {0, 1});
    QSignalSpy restyled(&state(), &EditorState::layerAppearanceChanged);
    QSignalSpy customWindow(&state(), &EditorState::customStyleWindowRequested);

    command(cmd::kSelectedLevelBelow);
    EXPECT_EQ(doc.pasteLayers[0].level, kBelowBackground);
    EXPECT_EQ(doc.pasteLayers[1].level, kBelowBackground);
    EXPECT_EQ(doc.pasteLayers[2].level, kAboveBackground);
    EXPECT_EQ(rowTexts(window->pasteList(), 1)[5], "背景下方");
    EXPECT_EQ(restyled.size(), 2);

    command(cmd::kSelectedStyleLast);  // "自定义": only row 0 changes, and two rows keep the window shut
    EXPECT_EQ(doc.pasteLayers[0].overflowStyle, kCustom);
    EXPECT_EQ(restyled.size(), 3);
    EXPECT_TRUE(customWindow.isEmpty());
    command(cmd::kSelectedStyleFirst + 1);  // the second item of the menu: "等比例缩放"
    EXPECT_EQ(doc.pasteLayers[1].overflowStyle, kScaleToFit);
    EXPECT_EQ(rowTexts(window->pasteList(), 0)[6], "等比例缩放");
    EXPECT_EQ(selectedRows(window->pasteList()), (std::vector<int>{0, 1}));
    EXPECT_EQ(state().mode, CanvasMode::MultipleSelection);

    // With exactly one layer selected the custom style opens its window.
    clickRows(window->pasteList(), {2});
    command(cmd::kSelectedStyleLast);
    ASSERT_EQ(customWindow.size(), 1);
    EXPECT_EQ(customWindow[0][0].toInt(), 2);
}

TEST_F(PasteCommands, LevelAndStyleOfTheCurrentLayer) {
    placedPasteLayers({kStretch, kStretch});
    clickRows(window->pasteList(), {1});
    QSignalSpy customWindow(&state(), &EditorState::customStyleWindowRequested);

    command(cmd::kCurrentLevelBelow);
    command(cmd::kCurrentStyleLast);
    EXPECT_EQ(doc.pasteLayers[1].level, kBelowBackground);
    EXPECT_EQ(doc.pasteLayers[1].overflowStyle, kCustom);
    EXPECT_EQ(rowTexts(window->pasteList(), 1).mid(5), (QStringList{"背景下方", "自定义"}));
    command(cmd::kCurrentStyleLast);  // opens the window again
    command(cmd::kCurrentStyleFirst + kCropCentre);
    EXPECT_EQ(doc.pasteLayers[1].overflowStyle, kCropCentre);
    command(cmd::kCurrentStyleFirst);  // not custom before: the window is left alone
    EXPECT_EQ(doc.pasteLayers[0].overflowStyle, kStretch);

    std::vector<int> requests;
    for (const QList<QVariant>& call : customWindow)
        requests.push_back(call[0].toInt());
    EXPECT_EQ(requests, (std::vector<int>{1, 1, -1}));
}

}  // namespace
}  // namespace plazor::testing
