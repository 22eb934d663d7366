// The lists' notifications: the selection rules with the current layer, canvas mode and status part 2
// they set, and the double clicks by column.
#include <QAction>
#include <QMenu>
#include <QSignalSpy>

#include "app/command_ids.h"
#include "layer_commands_fixture.h"

namespace plazor::testing {
namespace {

class ListEvents : public LayerCommandsTest {
  protected:
    void SetUp() override {
        LayerCommandsTest::SetUp();
        doc.addWatermark("/w.png", 5, 6);
        doc.setWatermarkPicture(0, "/w.png", 70, 80);
        doc.addWatermark("/v.png", -1, -1);
        doc.addSlice(300);
        doc.addSlice(-1);
        placedPasteLayers({kStretch, kCustom, kStretch});
        doc.pasteLayers[2].x = -1;  // not drawn yet
        doc.pasteLayers[2].width = -1;
    }

    std::vector<QAction*> checkedIn(MainWindow::Popup popup) const {
        std::vector<QAction*> checked;
        for (QAction* action : window->popupMenu(popup)->actions()) {
            if (action->isChecked()) checked.push_back(action);
        }
        return checked;
    }
};

TEST_F(ListEvents, OneWatermarkOrSliceRowBecomesTheCurrentLayerOfItsKind) {
    clickRows(window->pasteList(), {0, 1});
    QSignalSpy scrolled(&state(), &EditorState::scrollIntoViewRequested);
    QSignalSpy repainted(&state(), &EditorState::repaintRequested);

    clickRows(window->watermarkList(), {0});
    EXPECT_TRUE(selectedRows(window->pasteList()).empty());
    EXPECT_EQ(pasteFlags(), (std::vector<bool>{false, false, false}));
    EXPECT_EQ(state().current, (CurrentLayer{LayerKind::Watermark, 0}));
    EXPECT_EQ(state().mode, CanvasMode::WatermarkSelected);
    EXPECT_EQ(window->statusText(kStatusLayerSize), "70 x 80 像素");
    ASSERT_EQ(scrolled.size(), 1);
    EXPECT_EQ(scrolled[0][0].value<LayerKind>(), LayerKind::Watermark);
    EXPECT_GT(repainted.size(), 0);

    // Not positioned: pending, nothing to scroll to and no size shown.
    clickRows(window->watermarkList(), {1});
    EXPECT_EQ(state().current, (CurrentLayer{LayerKind::Watermark, 1}));
    EXPECT_EQ(state().mode, CanvasMode::WatermarkPending);
    EXPECT_EQ(scrolled.size(), 1);

    clickRows(window->sliceList(), {0});
    EXPECT_TRUE(selectedRows(window->watermarkList()).empty());
    EXPECT_EQ(state().current, (CurrentLayer{LayerKind::Slice, 0}));
    EXPECT_EQ(state().mode, CanvasMode::SliceSelected);
    EXPECT_EQ(scrolled.size(), 2);
    clickRows(window->sliceList(), {1});
    EXPECT_EQ(state().mode, CanvasMode::SlicePending);
}

TEST_F(ListEvents, OnePasteRowIsCurrentAndSeveralAreAMultipleSelection) {
    QSignalSpy customWindow(&state(), &EditorState::customStyleWindowRequested);
    clickRows(window->sliceList(), {0});

    clickRows(window->pasteList(), {0});
    EXPECT_TRUE(selectedRows(window->sliceList()).empty());
    EXPECT_EQ(state().current, (CurrentLayer{LayerKind::Paste, 0}));
    EXPECT_EQ(state().mode, CanvasMode::PasteSelected);
    EXPECT_EQ(state().lastSelectedList, ctl::kPasteList);
    EXPECT_EQ(window->statusText(kStatusLayerSize), "100 x 50 像素");

    clickRows(window->pasteList(), {0, 2});
    EXPECT_EQ(state().current, CurrentLayer{});
    EXPECT_EQ(state().mode, CanvasMode::MultipleSelection);
    EXPECT_EQ(pasteFlags(), (std::vector<bool>{true, false, true}));
    EXPECT_EQ(window->statusText(kStatusLayerSize), "");

    // A Ctrl-click that leaves one row makes it current; a custom one shows its style window.
    clickRows(window->pasteList(), {1, 2});
    window->pasteList()->selectionModel()->select(window->pasteList()->model()->index(2, 0),
                                                  QItemSelectionModel::Deselect | QItemSelectionModel::Rows);
    EXPECT_EQ(state().current, (CurrentLayer{LayerKind::Paste, 1}));
    EXPECT_EQ(pasteFlags(), (std::vector<bool>{false, true, false}));
    ASSERT_FALSE(customWindow.isEmpty());
    EXPECT_EQ(customWindow.back()[0].toInt(), 1);

    clickRows(window->pasteList(), {2});
    EXPECT_EQ(state().mode, CanvasMode::PastePending);
    EXPECT_EQ(window->statusText(kStatusLayerSize), "");

    window->pasteList()->clearSelection();
    EXPECT_EQ(state().current, CurrentLayer{});
    EXPECT_EQ(state().mode, CanvasMode::Idle);
    EXPECT_EQ(pasteFlags(), (std::vector<bool>{false, false, false}));
}

TEST_F(ListEvents, AWatermarkSelectedAfterSeveralPasteRowsStaysCurrent) {
    clickRows(window->pasteList(), {0, 1, 2});
    window->watermarkList()->selectRow(0);
    EXPECT_TRUE(selectedRows(window->pasteList()).empty());
    EXPECT_EQ(state().current, (CurrentLayer{LayerKind::Watermark, 0}));
    EXPECT_EQ(state().mode, CanvasMode::WatermarkSelected);
}

TEST_F(ListEvents, SelectionNoticesAreIgnoredWhileABandIsDragged) {
    clickRows(window->pasteList(), {0});
    state().mode = CanvasMode::BandDragging;
    clickRows(window->pasteList(), {0, 1});
    EXPECT_EQ(state().mode, CanvasMode::BandDragging);
    EXPECT_EQ(pasteFlags(), (std::vector<bool>{true, false, false}));
    EXPECT_EQ(state().current, (CurrentLayer{LayerKind::Paste, 0}));
}

TEST_F(ListEvents, DoubleClicksEditOrOpenThePopUpsByColumn) {
    window->show();
    clickRows(window->pasteList(), {1});
    LayerList* paste = window->pasteList();

    emit paste->cellDoubleClicked(1, 5);
    QMenu* level = window->popupMenu(MainWindow::Popup::CurrentLevel);
    EXPECT_TRUE(level->isVisible());
    ASSERT_EQ(checkedIn(MainWindow::Popup::CurrentLevel).size(), 1u);
    EXPECT_EQ(checkedIn(MainWindow::Popup::CurrentLevel)[0]->data().toInt(), cmd::kCurrentLevelAbove);
    level->hide();

    emit paste->cellDoubleClicked(1, 6);
    QMenu* style = window->popupMenu(MainWindow::Popup::CurrentStyle);
    EXPECT_TRUE(style->isVisible());
    ASSERT_EQ(checkedIn(MainWindow::Popup::CurrentStyle).size(), 1u);
    EXPECT_EQ(checkedIn(MainWindow::Popup::CurrentStyle)[0]->data().toInt(),
              cmd::kCurrentStyleFirst + kCustom);
    // Beside the first six columns.
    const int besideColumns = paste->viewport()->mapToGlobal(QPoint(paste->columnViewportPosition(6), 0)).x();
    EXPECT_EQ(style->pos().x(), besideColumns);
    style->hide();

    bool edited = false;
    whileDialogOpen("Dialog_Picture_Layer_Property", [&edited](QDialog&) { edited = true; });
    emit paste->cellDoubleClicked(1, 3);
    EXPECT_TRUE(edited);

    window->watermarkList()->selectRow(0);
    emit window->watermarkList()->cellDoubleClicked(0, 5);
    ASSERT_EQ(ui.choosers.size(), 1u);
    EXPECT_EQ(ui.choosers[0].title, "选择水印图片");
    bool placed = false;
    whileDialogOpen("Dialog_Watermark_Layer_Property", [&placed](QDialog&) { placed = true; });
    emit window->watermarkList()->cellDoubleClicked(0, 0);
    EXPECT_TRUE(placed);

    window->sliceList()->selectRow(0);
    bool moved = false;
    whileDialogOpen("Dialog_CutLine_Layer_Property", [&moved](QDialog&) { moved = true; });
    emit window->sliceList()->cellDoubleClicked(0, 1);
    EXPECT_TRUE(moved);
}

}  // namespace
}  // namespace plazor::testing
