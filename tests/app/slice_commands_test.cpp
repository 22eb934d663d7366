// Horizontal slice commands: new, edit keeping the slices in order by y, delete.
#include "app/command_ids.h"
#include "layer_commands_fixture.h"

namespace plazor::testing {
namespace {

class SliceCommands : public LayerCommandsTest {
  protected:
    void slicesAt(std::initializer_list<int> ys) {
        for (int y : ys)
            doc.addSlice(y);
        window->syncFromDocument();
    }
    std::vector<std::pair<int, int>> slices() const {
        std::vector<std::pair<int, int>> out;
        for (const Slice& slice : doc.slices)
            out.emplace_back(slice.number, slice.y);
        return out;
    }
};

TEST_F(SliceCommands, NewSliceWaitsForItsPosition) {
    slicesAt({100});
    command(cmd::kSliceNew);
    EXPECT_EQ(slices(), (std::vector<std::pair<int, int>>{{1, 100}, {2, -1}}));
    EXPECT_EQ(rowTexts(window->sliceList(), 1), (QStringList{"2", ""}));
    EXPECT_EQ(selectedRows(window->sliceList()), std::vector<int>{1});
    EXPECT_EQ(state().current, (CurrentLayer{LayerKind::Slice, 1}));
    EXPECT_EQ(state().mode, CanvasMode::SlicePending);
}

TEST_F(SliceCommands, EditKeepsTheSlicesInOrderByY) {
    slicesAt({100, 300, 500});
    clickRows(window->sliceList(), {0});
    whileDialogOpen("Dialog_CutLine_Layer_Property", [](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "横切片#1");
        type(dialog, "editY", "400");
        pressOk(dialog);
    });
    command(cmd::kSliceEdit);
    EXPECT_EQ(slices(), (std::vector<std::pair<int, int>>{{1, 300}, {2, 400}, {3, 500}}));
    EXPECT_EQ(rowTexts(window->sliceList(), 0), (QStringList{"1", "300"}));
    EXPECT_EQ(rowTexts(window->sliceList(), 1), (QStringList{"2", "400"}));
    EXPECT_EQ(selectedRows(window->sliceList()), std::vector<int>{1});
    EXPECT_EQ(state().current, (CurrentLayer{LayerKind::Slice, 1}));
    EXPECT_EQ(state().mode, CanvasMode::SliceSelected);
}

TEST_F(SliceCommands, DeleteSelectsTheRowAtTheSamePositionOrThePreviousOne) {
    slicesAt({100, 300, 500});
    clickRows(window->sliceList(), {2});
    command(cmd::kSliceDelete);
    EXPECT_EQ(slices(), (std::vector<std::pair<int, int>>{{1, 100}, {2, 300}}));
    EXPECT_EQ(state().current, (CurrentLayer{LayerKind::Slice, 1}));
    clickRows(window->sliceList(), {0});
    command(cmd::kSliceDelete);
    EXPECT_EQ(slices(), (std::vector<std::pair<int, int>>{{1, 300}}));
    EXPECT_EQ(rowTexts(window->sliceList(), 0), (QStringList{"1", "300"}));
    EXPECT_EQ(state().current, (CurrentLayer{LayerKind::Slice, 0}));
    command(cmd::kSliceDelete);
    EXPECT_EQ(state().current, CurrentLayer{});
    EXPECT_EQ(state().mode, CanvasMode::Idle);
}

}  // namespace
}  // namespace plazor::testing
