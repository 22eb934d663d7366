#include "template/edit_history.h"

#include <gtest/gtest.h>

#include "template/template_file.h"

namespace plazor {
namespace {

Document twoLayers() {
    Document doc;
    doc.addPasteLayer(kAboveBackground, kShrinkToFit);
    doc.setPasteLayerRect(0, 10, 10, 100, 100);
    doc.addPasteLayer(kBelowBackground, kStretch);
    doc.setPasteLayerRect(1, 200, 10, 50, 60);
    return doc;
}

// Undoing every step in turn walks back through exactly the states that were saved before each
// step, and redoing walks forward through them again: compared as the bytes a save would write.
TEST(EditHistoryTest, UndoAndRedoWalkThroughEveryRecordedState) {
    Document doc = twoLayers();
    EditHistory history;
    std::vector<std::string> states{serialiseTemplate(doc).value()};
    auto step = [&](const char* label, auto change) {
        history.begin(doc, label);
        change();
        EXPECT_TRUE(history.end(doc));
        states.push_back(serialiseTemplate(doc).value());
    };
    step("move", [&] { doc.setPasteLayerRect(0, 30, 40, 100, 100); });
    step("add", [&] { doc.addSlice(300); });
    step("style", [&] { doc.setPasteLayerStyle(1, kCropCentre); });
    step("delete", [&] { doc.deletePasteLayers({0}); });
    step("background", [&] { doc.setBackgroundColour(kColourCustom, 0x123456); });

    for (std::size_t i = states.size() - 1; i > 0; --i) {
        ASSERT_TRUE(history.undo(doc));
        EXPECT_EQ(serialiseTemplate(doc).value(), states[i - 1]) << "after undoing to state " << i - 1;
    }
    EXPECT_FALSE(history.undo(doc));
    for (std::size_t i = 1; i < states.size(); ++i) {
        ASSERT_TRUE(history.redo(doc));
        EXPECT_EQ(serialiseTemplate(doc).value(), states[i]);
    }
    EXPECT_FALSE(history.redo(doc));
}

TEST(EditHistoryTest, NestedStepsAreOneStepAndNoChangeRecordsNothing) {
    Document doc = twoLayers();
    EditHistory history;
    history.begin(doc, "grid");
    history.begin(doc, "inner");
    doc.addPasteLayer(kAboveBackground, kShrinkToFit);
    EXPECT_FALSE(history.end(doc));
    doc.addPasteLayer(kAboveBackground, kShrinkToFit);
    EXPECT_TRUE(history.end(doc));
    EXPECT_EQ(history.undoLabel(), "grid");
    ASSERT_TRUE(history.undo(doc));
    EXPECT_EQ(doc.pasteLayers.size(), 2u);
    EXPECT_FALSE(history.canUndo());

    // Selecting is not editing: a step that only changed selection flags is not recorded.
    history.begin(doc, "select");
    doc.setPasteLayerSelected(1, true);
    EXPECT_FALSE(history.end(doc));
    EXPECT_FALSE(history.canUndo());
}

TEST(EditHistoryTest, NewStepDropsRedoAndLabelMayBeNamedAtTheEnd) {
    Document doc = twoLayers();
    EditHistory history;
    history.begin(doc, "drag");
    doc.setPasteLayerRect(0, 10, 10, 120, 100);
    ASSERT_TRUE(history.end(doc, "resize"));
    EXPECT_EQ(history.undoLabel(), "resize");
    ASSERT_TRUE(history.undo(doc));
    EXPECT_EQ(history.redoLabel(), "resize");

    history.begin(doc, "move");
    doc.setPasteLayerRect(0, 20, 10, 100, 100);
    ASSERT_TRUE(history.end(doc));
    EXPECT_FALSE(history.canRedo());

    // Undo and redo wait while a step is open, so a gesture cannot be cut in two.
    history.begin(doc, "open");
    EXPECT_FALSE(history.undo(doc));
    history.end(doc);
}

TEST(EditHistoryTest, KeepsOnlyTheNewestSteps) {
    Document doc = twoLayers();
    EditHistory history;
    for (std::size_t i = 0; i < EditHistory::kMaxSteps + 5; ++i) {
        history.begin(doc, "move");
        doc.setPasteLayerRect(0, static_cast<int>(i) + 11, 10, 100, 100);
        history.end(doc);
    }
    std::size_t undone = 0;
    while (history.undo(doc))
        ++undone;
    EXPECT_EQ(undone, EditHistory::kMaxSteps);
    EXPECT_EQ(doc.pasteLayers[0].x, 5 + 10);
}

// Typing into one field is one step: keys with the same merge key join the last step until another
// step, an undo or the end of the session; typing back to the start leaves nothing to undo.
TEST(EditHistoryTest, OneEditSessionOfAFieldIsOneStep) {
    Document doc = twoLayers();
    EditHistory history;
    auto type = [&](const char* width, int key) {
        history.begin(doc, "size", key);
        doc.setBackgroundSizeFromTexts(width, "800", 72);
        return history.end(doc);
    };
    const std::string start = serialiseTemplate(doc).value();
    for (const char* text : {"1", "12", "120", "1200"})
        EXPECT_TRUE(type(text, 1));
    ASSERT_TRUE(history.undo(doc));
    EXPECT_FALSE(history.canUndo());
    ASSERT_TRUE(history.redo(doc));

    // After a redo, and after the session ended, the next key starts a step of its own.
    type("120", 1);
    history.stopMerging();
    type("12", 1);
    type("1", 2);
    int steps = 0;
    while (history.undo(doc))
        ++steps;
    EXPECT_EQ(steps, 4);
    EXPECT_EQ(serialiseTemplate(doc).value(), start);

    // Back to the text the session started from: the step disappears.
    type("9", 1);
    type("800", 1);
    EXPECT_FALSE(history.canUndo());
    EXPECT_EQ(serialiseTemplate(doc).value(), start);
}

// Every snapshot of an unchanged background picture shares one copy of its bytes; a new picture adds
// its own, and undo puts the old bytes back exactly.
TEST(EditHistoryTest, StepsShareTheBackgroundPicture) {
    Document doc = twoLayers();
    doc.background.kind = kPictureBackground;
    const std::string first(1 << 20, 'a');
    doc.background.pictureData = first;
    EditHistory history;
    for (int i = 0; i < 50; ++i) {
        history.begin(doc, "move");
        doc.setPasteLayerRect(0, 20 + i, 10, 100, 100);
        history.end(doc);
    }
    EXPECT_EQ(history.pictureBytesHeld(), first.size());

    history.begin(doc, "picture");
    doc.background.pictureData = std::string(1000, 'b');
    history.end(doc);
    EXPECT_EQ(history.pictureBytesHeld(), first.size() + 1000);
    ASSERT_TRUE(history.undo(doc));
    EXPECT_EQ(doc.background.pictureData, first);
    history.clear();
    EXPECT_EQ(history.pictureBytesHeld(), 0u);
}

}  // namespace
}  // namespace plazor
