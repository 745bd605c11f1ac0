#include "scripted_operator.h"
#include "sync/progress.h"
#include "wall/caption.h"

#include <gtest/gtest.h>

using namespace mlc;

TEST(ProgressWindow, OpensWorkingWithoutBarAndClosesOnce) {
    testsupport::ScriptedOperator op;
    {
        ProgressWindow progress(op);
        EXPECT_EQ(op.progressOpenCount, 1);
        ASSERT_EQ(op.progressViews.size(), 1u);
        EXPECT_EQ(op.progressViews[0].text, "Working...");
        EXPECT_FALSE(op.progressViews[0].barVisible);
        EXPECT_EQ(op.progressCloseCount, 0);
    }
    EXPECT_EQ(op.progressCloseCount, 1);
}

TEST(ProgressWindow, LetsEventsRunOnlyWhenSomethingChanges) {
    testsupport::ScriptedOperator op;
    ProgressWindow progress(op);
    progress.setText("Updating videowall...");
    progress.setText("Updating videowall...");
    EXPECT_EQ(op.pendingEventRuns, 1);
    progress.setRange(1, 99);
    progress.setRange(1, 99);
    EXPECT_EQ(op.pendingEventRuns, 2);
    progress.setPosition(1);
    EXPECT_EQ(op.progressViews.back().percent, 0);
    EXPECT_TRUE(op.progressViews.back().barVisible);
    progress.setPosition(50);
    EXPECT_EQ(op.progressViews.back().percent, 50);
    progress.setPosition(99);
    EXPECT_EQ(op.progressViews.back().percent, 100);
    progress.setPosition(99);
    EXPECT_EQ(op.pendingEventRuns, 5);
    progress.setPosition(-1);
    EXPECT_FALSE(op.progressViews.back().barVisible);
    EXPECT_EQ(op.progressViews.back().text, "Updating videowall...");
}

TEST(ProgressPercent, GuardsEmptyRangesAndPositionsOutside) {
    EXPECT_EQ(ProgressPercent(5, 5, 5), 0);
    EXPECT_EQ(ProgressPercent(1, 3, 2), 50);
    EXPECT_EQ(ProgressPercent(1, 4, 2), 33);
    EXPECT_EQ(ProgressPercent(0, 100, 250), 100);
    EXPECT_EQ(ProgressPercent(10, 20, 0), 0);
    EXPECT_EQ(ProgressPercent(-2147483647 - 1, 2147483647, 2147483647), 100);
}

TEST(Caption, NamesSequenceAndWallAndShowsTheStates) {
    CaptionState state;
    CaptionTexts texts = ComputeCaption(state);
    EXPECT_EQ(texts.Caption, "Marlune Control Center - [Untitled - Untitled]");
    EXPECT_EQ(texts.SyncStatus, "Sync: NEEDED");
    EXPECT_EQ(texts.LinkStatus, "Serial link: ON");

    state.VideowallFileName = "/home/op/walls/lobby.MLV";
    state.VideowallModified = true;
    state.SequenceFileName = "/tmp/night.MLS";
    state.WallSynced = true;
    state.InhibitSerialCommunication = true;
    texts = ComputeCaption(state);
    EXPECT_EQ(texts.Caption, "Marlune Control Center - [night.MLS - lobby.MLV*]");
    EXPECT_EQ(texts.SyncStatus, "Sync: OK");
    EXPECT_EQ(texts.LinkStatus, "Serial link: OFF");
    state.VideowallFileName.clear();
    state.SequenceModified = true;
    EXPECT_EQ(ComputeCaption(state).Caption, "Marlune Control Center - [night.MLS* - Untitled*]");
}
