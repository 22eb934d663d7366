// The layer lists' decisions, each checked against a table of cases.
#include "app/commands/layer_list_rules.h"

#include <gtest/gtest.h>

#include "app/command_ids.h"

namespace plazor {
namespace {

constexpr int kPaste = ctl::kPasteList;
constexpr int kMark = ctl::kWatermarkList;
constexpr int kSlice = ctl::kSliceList;

struct SelectionCase {
    const char* what;
    SelectionNotice notice;
    int lastSelectedList;
    bool deleting;
    CanvasMode mode;
    SelectionDecision expected;
};

TEST(LayerListRules, SelectionNoticesFollowTheirRule) {
    using enum SelectionRule;
    const CanvasMode idle = CanvasMode::Idle;
    const SelectionCase cases[] = {
        {"one watermark row", {kMark, true, 1}, kPaste, false, idle, {CurrentWatermark, kMark}},
        {"one slice row, the other one deselected",
         {kSlice, false, 1},
         kSlice,
         false,
         idle,
         {CurrentSlice, kSlice}},
        {"watermark list emptied", {kMark, false, 0}, kPaste, false, idle, {NoneSelected, kPaste}},
        {"one paste row just selected", {kPaste, true, 1}, kMark, false, idle, {CurrentPaste, kPaste}},
        {"one paste row left after a deselect",
         {kPaste, false, 1},
         kPaste,
         false,
         idle,
         {CurrentPaste, kPaste}},
        {"one paste row left while a watermark gained the selection",
         {kPaste, false, 1},
         kMark,
         false,
         idle,
         {RepaintOnly, kMark}},
        {"several paste rows",
         {kPaste, true, 3},
         kPaste,
         false,
         CanvasMode::PasteSelected,
         {SeveralPaste, kPaste}},
        {"paste list emptied",
         {kPaste, false, 0},
         kPaste,
         false,
         CanvasMode::MultipleSelection,
         {NoneSelected, kPaste}},
        {"while deleting", {kPaste, false, 0}, kPaste, true, idle, {Ignore, kPaste}},
        {"while a band is dragged, the gain still counts",
         {kPaste, true, 2},
         kMark,
         false,
         CanvasMode::BandDragging,
         {Ignore, kPaste}},
        {"band pressed is not dragging",
         {kPaste, true, 1},
         kPaste,
         false,
         CanvasMode::BandPressed,
         {CurrentPaste, kPaste}},
    };
    for (const SelectionCase& c : cases) {
        EXPECT_EQ(decideSelection(c.notice, c.lastSelectedList, c.deleting, c.mode), c.expected) << c.what;
    }
}

TEST(LayerListRules, AfterDeleteTheRowAtTheLowestPositionOrTheNewLastIsSelected) {
    struct Case {
        std::vector<int> deleted;
        int remaining;
        std::optional<int> expected;
    };
    const Case cases[] = {
        {{1, 2}, 3, 1},  // rows follow: the one that moved up into position 1
        {{3, 1}, 3, 1},  // in any order
        {{3, 4}, 3, 2},  // the last ones: the new last row
        {{0, 1, 2}, 0, std::nullopt},
        {{0}, 4, 0},
        {{}, 4, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(rowAfterDelete(c.deleted, c.remaining), c.expected)
            << c.deleted.size() << " " << c.remaining;
    }
}

TEST(LayerListRules, DoubleClicksActByListAndColumn) {
    using enum DoubleClickAction;
    const std::tuple<int, int, DoubleClickAction> cases[] = {
        {kPaste, 0, EditPaste},       {kPaste, 4, EditPaste},    {kPaste, 5, PasteLevelPopup},
        {kPaste, 6, PasteStylePopup}, {kPaste, 7, None},         {kPaste, -1, None},
        {kMark, 0, EditWatermark},    {kMark, 4, EditWatermark}, {kMark, 5, ChangeWatermarkPicture},
        {kSlice, 0, EditSlice},       {kSlice, 1, EditSlice},    {ctl::kSourceFolder, 0, None},
    };
    for (const auto& [list, column, action] : cases) {
        EXPECT_EQ(doubleClickAction(list, column), action) << list << " column " << column;
    }
}

}  // namespace
}  // namespace plazor
