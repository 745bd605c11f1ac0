#include "paths.h"
#include "sequencer/time_text.h"
#include "sequencer_fixture.h"

#include <filesystem>
#include <fstream>

namespace {

using namespace sequencertest;
using mlc::Answer;

TEST(TimeTexts, FormatTimesAndDayFractions) {
    EXPECT_EQ(mlc::FormatItemTime(0, 1, 30), "00:01:30");
    EXPECT_EQ(mlc::FormatItemTime(99, 59, 5), "99:59:05");
    EXPECT_EQ(mlc::FormatDayFraction(0.5), "12:00:00");
    EXPECT_EQ(mlc::FormatDayFraction(hms(1, 0, 0)), "01:00:00");
    EXPECT_EQ(mlc::FormatDayFraction(hms(23, 59, 59)), "23:59:59");
    EXPECT_EQ(mlc::FormatDayFraction(2.0 + hms(6, 7, 8)), "06:07:08"); // whole days dropped
}

TEST_F(SequencerTest, LineTextsShowTimeModeAndNameOrStepNumber) {
    addItem(1, 0, 0, 5, mlc::FromMidnight, "Morning");
    addItem(2, 0, 0, 0, mlc::FromStart);
    addItem(3, 0, 1, 30, mlc::FromLastEvent);
    EXPECT_EQ(texts(), (std::vector<std::string>{"00:00:05 M - Morning", "00:00:00 S - Sequence step #2",
                                                 "00:01:30 L - Sequence step #3"}));
    EXPECT_EQ(seq.itemsCountText(), "3");

    // Renaming to an empty name brings the numbered text back.
    seq.selectOnly(0);
    dialogs.edits.push_back([](mlc::ItemDetails& d) { d.name.clear(); });
    seq.editItemDetails();
    EXPECT_EQ(texts()[0], "00:00:05 M - Sequence step #1");
    // The dialog was filled from the item.
    EXPECT_EQ(dialogs.shown.back().name, "Morning");
    EXPECT_EQ(dialogs.shown.back().seconds, 5);
    EXPECT_EQ(dialogs.shown.back().mode, mlc::FromMidnight);
}

TEST_F(SequencerTest, ActionStatesFollowTheSelection) {
    EXPECT_FALSE(seq.actionStates().play);
    for (int i = 0; i < 3; ++i)
        addItem(i, 0, 0, 1, mlc::FromLastEvent);
    seq.UpdateSequencerActions();
    EXPECT_TRUE(seq.actionStates().play);
    EXPECT_FALSE(seq.actionStates().remove); // editing rebuilt the list: nothing selected
    seq.setSelected(0, true);
    seq.UpdateSequencerActions();
    EXPECT_TRUE(seq.actionStates().remove && seq.actionStates().execute && seq.actionStates().moveDown);
    EXPECT_FALSE(seq.actionStates().moveUp);
    seq.setSelected(2, true);
    seq.UpdateSequencerActions();
    EXPECT_FALSE(seq.actionStates().execute || seq.actionStates().moveUp || seq.actionStates().moveDown);
}

TEST_F(SequencerTest, MovingABlockCarriesItsSelectionAndTheNeighbourGoesToTheOtherEnd) {
    for (int i = 1; i <= 5; ++i)
        addItem(i, 0, 0, i, mlc::FromLastEvent);
    seq.setSelected(2, true);
    seq.setSelected(3, true);
    seq.moveUp();
    std::vector<int> order;
    for (const auto& item : seq.items())
        order.push_back(item->Settings[0].Brightness);
    EXPECT_EQ(order, (std::vector<int>{1, 3, 4, 2, 5}));
    EXPECT_TRUE(seq.lines()[1].selected && seq.lines()[2].selected);
    EXPECT_FALSE(seq.lines()[3].selected);
    // Lines are swapped, not rebuilt: the step numbers travel with them.
    EXPECT_EQ(texts()[1], "00:00:03 L - Sequence step #3");
    EXPECT_TRUE(seq.modified());

    seq.moveDown();
    seq.moveDown();
    order.clear();
    for (const auto& item : seq.items())
        order.push_back(item->Settings[0].Brightness);
    EXPECT_EQ(order, (std::vector<int>{1, 2, 5, 3, 4}));

    // The block now holds the last line: it cannot move further down.
    seq.moveDown();
    ASSERT_EQ(op.messages.size(), 1u);
    EXPECT_EQ(op.messages[0].kind, mlc::MessageKind::Information);
    EXPECT_EQ(op.messages[0].text, "The selected group of items cannot move any further.");
}

TEST_F(SequencerTest, MoveAndRemoveExplainWhenThereIsNothingToWorkOn) {
    seq.moveUp();
    addItem(1, 0, 0, 1, mlc::FromLastEvent);
    seq.moveDown();
    seq.removeItems();
    seq.selectOnly(0);
    seq.moveUp();
    EXPECT_EQ(op.messageTexts(),
              (std::vector<std::string>{"There are no items in the sequence. Add one or more then try again.",
                                        "No items selected. Select one or more items then try again.",
                                        "No items selected. Select one or more items then try again.",
                                        "The selected group of items cannot move any further."}));
    EXPECT_EQ(op.messages[0].kind, mlc::MessageKind::Warning);
    EXPECT_EQ(seq.items().size(), 1u);
}

TEST_F(SequencerTest, RemoveAsksAndDeletesEverySelectedItem) {
    for (int i = 1; i <= 4; ++i)
        addItem(i, 0, 0, 1, mlc::FromLastEvent);
    seq.setModified(false);
    seq.setSelected(0, true);
    seq.setSelected(2, true);
    op.scriptAnswers({Answer::No, Answer::Yes});
    seq.removeItems();
    EXPECT_EQ(seq.items().size(), 4u);
    EXPECT_FALSE(seq.modified());
    seq.removeItems();
    ASSERT_EQ(seq.items().size(), 2u);
    EXPECT_EQ(seq.items()[0]->Settings[0].Brightness, 2);
    EXPECT_EQ(seq.items()[1]->Settings[0].Brightness, 4);
    EXPECT_EQ(op.questions[1].text, "Are you sure you want to delete the selected items?");
    EXPECT_EQ(op.questions[1].icon, mlc::QuestionIcon::Warning);
    EXPECT_TRUE(seq.modified());
    EXPECT_EQ(texts()[1], "00:00:01 L - Sequence step #2");
}

TEST_F(SequencerTest, CancellingDetailsUndoesNewItemButKeepsAnAddedOne) {
    addItem(1, 0, 0, 1, mlc::FromLastEvent);
    seq.setModified(false);
    seq.newItem(); // no scripted edit: the dialog is cancelled
    EXPECT_EQ(seq.items().size(), 1u);
    EXPECT_FALSE(seq.modified());
    EXPECT_EQ(texts().size(), 1u);

    testsupport::TempDir dir;
    testsupport::ScriptedOperator fileOp;
    mlc::WallSettings onDisk{};
    onDisk[5].Brightness = 4242;
    ASSERT_TRUE(mlc::saveVideowallFile(fileOp, dir.file("scene.MLV"), onDisk));
    dialogs.addFile = dir.file("scene.MLV");
    seq.addItem();
    ASSERT_EQ(seq.items().size(), 2u);
    EXPECT_EQ(seq.items()[1]->Settings, onDisk);
    // The same file, whatever separators the system writes.
    const std::filesystem::path scene = dir.file("scene.MLV");
    EXPECT_EQ(std::filesystem::path(seq.items()[1]->name()), scene);
    EXPECT_TRUE(seq.modified());

    // A file that is not a wall file adds nothing and shows nothing.
    dialogs.addFile = dir.file("missing.MLV");
    seq.addItem();
    EXPECT_EQ(seq.items().size(), 2u);
    EXPECT_TRUE(op.messages.empty());

    // A name given relative to the working folder is stored as the full path.
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    dialogs.addFile = "./scene.MLV";
    dialogs.edits.push_back(nullptr);
    seq.addItem();
    std::filesystem::current_path(previous);
    ASSERT_EQ(seq.items().size(), 3u);
    EXPECT_EQ(std::filesystem::path(seq.items()[2]->name()), scene);
}

TEST_F(SequencerTest, ARefusedLoadKeepsTheTimelineAndAGoodOneReplacesIt) {
    testsupport::TempDir dir;
    addItem(1, 0, 0, 1, mlc::FromLastEvent, "first");
    addItem(2, 0, 0, 2, mlc::FromLastEvent);
    ASSERT_TRUE(seq.saveSequence(dir.file("two.MLS")));
    EXPECT_FALSE(seq.modified());
    EXPECT_EQ(seq.fileName(), dir.file("two.MLS"));

    {
        std::ofstream bad(dir.file("bad.MLS"), std::ios::binary);
        bad << "MLSX\1\0\0\0";
    }
    seq.removeItems(); // nothing selected: only a message
    addItem(3, 0, 0, 3, mlc::FromLastEvent);
    EXPECT_FALSE(seq.loadSequence(dir.file("bad.MLS")));
    EXPECT_FALSE(seq.loadSequence(dir.file("missing.MLS")));
    EXPECT_EQ(seq.items().size(), 3u);
    EXPECT_EQ(texts().size(), 3u);
    EXPECT_TRUE(seq.modified());

    ASSERT_TRUE(seq.loadSequence(dir.file("two.MLS")));
    EXPECT_EQ(texts(), (std::vector<std::string>{"00:00:01 L - first", "00:00:02 L - Sequence step #2"}));
    EXPECT_FALSE(seq.modified());
}

} // namespace
