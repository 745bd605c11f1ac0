#include "paths.h"
#include "sequencer_fixture.h"

#include <fstream>
#include <iterator>

namespace {

using namespace sequencertest;

std::string fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

TEST_F(SequencerTest, OneItemWithoutLoopFiresWhenDueThenPlaybackStops) {
    addItem(7, 0, 0, 5, mlc::FromLastEvent);
    const double t0 = hms(10, 0, 0);
    play(t0);
    EXPECT_TRUE(seq.playing());
    EXPECT_TRUE(seq.timerEnabled());
    tickAt(t0 + hms(0, 0, 4));
    EXPECT_TRUE(writes.empty());
    EXPECT_EQ(seq.lastEventCounter(), "00:00:04");
    tickAt(t0 + hms(0, 0, 5));
    EXPECT_EQ(writes, (std::vector<int>{7}));
    EXPECT_FALSE(seq.playing());
    EXPECT_FALSE(seq.timerEnabled());
    EXPECT_EQ(seq.currentItemIndex(), -1);
    EXPECT_EQ(seq.midnightCounter(), "10:00:05"); // counters stay as they were
}

TEST_F(SequencerTest, AFromMidnightItemAlreadyPastFiresOnTheFirstTick) {
    addItem(1, 8, 0, 0, mlc::FromMidnight);
    addItem(2, 23, 0, 0, mlc::FromMidnight);
    play(hms(9, 0, 0));
    EXPECT_EQ(writes, (std::vector<int>{1}));
    EXPECT_EQ(seq.currentItemIndex(), 0);
    tickAt(hms(9, 0, 1));
    EXPECT_EQ(writes.size(), 1u); // item 2 holds until 23:00
}

TEST_F(SequencerTest, ZeroTimesFireOnePerTickStartingWithPlaysOwnTick) {
    addItem(1, 0, 0, 0, mlc::FromLastEvent);
    addItem(2, 0, 0, 0, mlc::FromLastEvent);
    addItem(3, 0, 0, 0, mlc::FromStart);
    const double t0 = hms(12, 0, 0);
    play(t0);
    EXPECT_EQ(writes, (std::vector<int>{1}));
    tickAt(t0); // the same moment again: still only one item per tick
    EXPECT_EQ(writes, (std::vector<int>{1, 2}));
    tickAt(t0 + hms(0, 0, 1));
    EXPECT_EQ(writes, (std::vector<int>{1, 2, 3}));
    EXPECT_FALSE(seq.playing());
}

TEST_F(SequencerTest, LoopingStartsAgainMeasuredFromWhenTheLastItemFired) {
    addItem(1, 0, 0, 2, mlc::FromStart);
    addItem(2, 0, 0, 3, mlc::FromLastEvent);
    seq.toggleLoop();
    const double t0 = hms(6, 0, 0);
    play(t0);
    tickAt(t0 + hms(0, 0, 2));
    duringWrite = [&] { advanceTo(t0 + hms(0, 0, 6)); }; // sending the last item took a second
    tickAt(t0 + hms(0, 0, 5));
    duringWrite = nullptr;
    EXPECT_EQ(writes, (std::vector<int>{1, 2}));
    EXPECT_TRUE(seq.playing());
    EXPECT_EQ(seq.currentItemIndex(), 1);
    tickAt(t0 + hms(0, 0, 7));
    EXPECT_EQ(writes.size(), 2u); // item 1 is due 2 s after the loop restarted at +6 s
    tickAt(t0 + hms(0, 0, 8));
    EXPECT_EQ(writes, (std::vector<int>{1, 2, 1}));
}

TEST_F(SequencerTest, PlaybackKeepsCountingAcrossMidnight) {
    addItem(1, 0, 0, 10, mlc::FromStart);
    addItem(2, 25, 0, 0, mlc::FromLastEvent); // more than a day after the first
    const double t0 = hms(23, 59, 55);
    play(t0);
    tickAt(hms(0, 0, 4));
    EXPECT_TRUE(writes.empty());
    EXPECT_EQ(seq.startCounter(), "00:00:09");
    tickAt(hms(0, 0, 5));
    EXPECT_EQ(writes, (std::vector<int>{1}));
    tickAt(hms(23, 0, 0));
    tickAt(hms(0, 0, 4)); // the next midnight; 24 h 59 min 59 s after item 1
    EXPECT_EQ(writes.size(), 1u);
    tickAt(hms(1, 0, 5));
    EXPECT_EQ(writes, (std::vector<int>{1, 2}));
}

TEST_F(SequencerTest, AClockChangeMovesOnlyTheItemsDueFromMidnight) {
    addItem(1, 1, 0, 0, mlc::FromStart);     // one hour after the start
    addItem(2, 2, 45, 0, mlc::FromMidnight); // at 02:45 by the clock
    play(hms(2, 30, 0));
    tickAt(hms(2, 59, 59));
    // Summer time ends: the clock goes back from 03:00 to 02:00, a second later.
    clock = hms(2, 0, 0);
    steady += 1.0;
    seq.tick(reading());
    tickAt(hms(2, 29, 59));
    EXPECT_TRUE(writes.empty());
    tickAt(hms(2, 30, 0)); // an hour after the start, though the clock shows 02:30 again
    EXPECT_EQ(writes, (std::vector<int>{1}));
    tickAt(hms(2, 44, 59));
    EXPECT_EQ(writes.size(), 1u);
    tickAt(hms(2, 45, 0));
    EXPECT_EQ(writes, (std::vector<int>{1, 2}));
}

TEST_F(SequencerTest, AnItemWithAnUnknownTimeModeIsReportedOnceAndPassedOver) {
    testsupport::TempDir dir;
    addItem(1, 0, 0, 0, mlc::FromLastEvent);
    addItem(2, 0, 0, 0, mlc::FromLastEvent);
    addItem(3, 0, 0, 1, mlc::FromLastEvent);
    ASSERT_TRUE(seq.saveSequence(dir.file("in.MLS")));
    std::string bytes = fileBytes(dir.file("in.MLS"));
    bytes[8 + 43276 + 7] = 7; // the time mode of item 2
    std::ofstream(dir.file("in.MLS"), std::ios::binary) << bytes;

    ASSERT_TRUE(seq.loadSequence(dir.file("in.MLS")));
    ASSERT_EQ(op.reports.size(), 1u);
    EXPECT_EQ(op.reports[0].text,
              "Sequence item 2 has an unknown time mode (7) and is skipped when the sequence plays.");
    play(hms(8, 0, 0));
    tickAt(hms(8, 0, 1));
    EXPECT_EQ(writes, (std::vector<int>{1, 3}));
    EXPECT_FALSE(seq.playing());
    EXPECT_EQ(op.reports.size(), 1u);
    EXPECT_TRUE(op.messages.empty());

    ASSERT_TRUE(seq.saveSequence(dir.file("out.MLS")));
    EXPECT_EQ(fileBytes(dir.file("out.MLS")), bytes);
}

TEST_F(SequencerTest, ATickDuringSendingNeverStartsASecondExecution) {
    addItem(1, 0, 0, 0, mlc::FromLastEvent);
    addItem(2, 0, 0, 0, mlc::FromLastEvent);
    addItem(3, 0, 0, 0, mlc::FromLastEvent);
    int nested = 0;
    duringWrite = [&] {
        // The progress window lets the timer through while the wall is sent.
        ++nested;
        tickAt(clock + hms(0, 0, 1));
        seq.executeItem();
    };
    play(hms(8, 0, 0));
    EXPECT_EQ(nested, 1);
    EXPECT_EQ(writes, (std::vector<int>{1}));
    duringWrite = nullptr;
    tickAt(hms(8, 0, 2));
    EXPECT_EQ(writes, (std::vector<int>{1, 2}));
}

TEST_F(SequencerTest, AnItemDueWhileAnotherExchangeRunsWaitsForTheNextTick) {
    addItem(1, 0, 0, 2, mlc::FromLastEvent);
    addItem(2, 0, 0, 2, mlc::FromLastEvent);
    play(hms(8, 0, 0));
    deviceBusy = true;
    tickAt(hms(8, 0, 2));
    seq.selectOnly(1);
    seq.executeItem();
    EXPECT_TRUE(writes.empty());
    EXPECT_EQ(wall[0].Brightness, 2); // the wall was not touched either
    deviceBusy = false;
    tickAt(hms(8, 0, 3));
    EXPECT_EQ(writes, (std::vector<int>{1}));
    tickAt(hms(8, 0, 4));
    EXPECT_TRUE(writes.size() == 1u); // item 2 counts from when item 1 actually fired
    tickAt(hms(8, 0, 5));
    EXPECT_EQ(writes, (std::vector<int>{1, 2}));
}

TEST_F(SequencerTest, StoppingWhileAnItemIsSentEndsPlaybackForGood) {
    addItem(1, 0, 0, 0, mlc::FromLastEvent);
    addItem(2, 0, 0, 0, mlc::FromLastEvent);
    duringWrite = [&] { seq.togglePlay(reading()); };
    play(hms(8, 0, 0));
    EXPECT_FALSE(seq.playing());
    EXPECT_EQ(seq.currentItemIndex(), -1);
    duringWrite = nullptr;
    tickAt(hms(8, 0, 1));
    EXPECT_EQ(writes.size(), 1u);
}

TEST_F(SequencerTest, EmptyingTheTimelineWhilePlayingStopsPlayback) {
    addItem(1, 1, 0, 0, mlc::FromLastEvent);
    addItem(2, 1, 0, 0, mlc::FromLastEvent);
    play(hms(8, 0, 0));
    seq.setSelected(0, true);
    op.setDefaultAnswer(mlc::Answer::Yes);
    seq.removeItems();
    EXPECT_TRUE(seq.playing());
    seq.setSelected(0, true);
    seq.removeItems();
    EXPECT_FALSE(seq.playing());
    EXPECT_FALSE(seq.actionStates().play);
    play(hms(8, 0, 1)); // Play is disabled now
    EXPECT_FALSE(seq.playing());
}

TEST_F(SequencerTest, RemovingFiredItemsWhilePlayingWrapsToTheFirstItem) {
    for (int i = 1; i <= 3; ++i)
        addItem(i, 0, 0, 0, mlc::FromLastEvent);
    play(hms(8, 0, 0));
    tickAt(hms(8, 0, 1));
    EXPECT_EQ(seq.currentItemIndex(), 1);
    seq.setSelected(1, true);
    seq.setSelected(2, true);
    mlc::Answer yes = mlc::Answer::Yes;
    op.scriptAnswers({yes});
    seq.removeItems();
    tickAt(hms(8, 0, 2));
    EXPECT_EQ(writes, (std::vector<int>{1, 2, 1}));
}

TEST_F(SequencerTest, ExecuteItemSendsTheSelectedItemWithoutTouchingPlayback) {
    addItem(1, 0, 0, 1, mlc::FromLastEvent);
    addItem(2, 0, 0, 1, mlc::FromLastEvent);
    wall[0].Brightness = 99;
    seq.executeItem(); // no current line
    EXPECT_TRUE(writes.empty());
    seq.selectOnly(1);
    seq.executeItem();
    EXPECT_EQ(writes, (std::vector<int>{2}));
    EXPECT_EQ(wall[0].Brightness, 2);
    EXPECT_FALSE(seq.playing());
    EXPECT_EQ(seq.currentItemIndex(), -1);
}

} // namespace
