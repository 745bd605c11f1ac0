// The wall's undo history: what a step holds and what taking it back puts back.
#include "wall/wall_history.h"

#include <gtest/gtest.h>

using mlc::WallHistory;
using Sending = WallHistory::Sending;

namespace {

class History : public ::testing::Test {
protected:
    mlc::TWallMonitor& at(int c, int r) { return model.Monitors.at(c, r); }

    mlc::WallModel model;
    std::string fileName = "a.MLV";
    WallHistory history{model, fileName};
    int changes = 0;
};

TEST_F(History, AStepPutsBackWhatItChangedAndNothingElse) {
    history.setChanged([this] { ++changes; });
    { WallHistory::EditStep step(history, "nothing", Sending::Sent); }
    EXPECT_FALSE(history.canUndo());
    {
        WallHistory::EditStep outer(history, "open b.MLV", Sending::NotSent);
        at(2, 3).Settings.Brightness = 1000;
        fileName = "b.MLV";
        WallHistory::EditStep inner(history, "inner", Sending::Sent); // joins the outer one
        at(4, 1).DeviceId = 99;
        model.DeviceState.at(4, 1).DeviceId = 99;
        EXPECT_FALSE(history.canUndo());
    }
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(history.undoName(), "open b.MLV");
    at(1, 1).Settings.Contrast = 7; // outside any step: stays whatever is undone
    at(4, 1).Synced = true;

    const auto back = history.undo();
    ASSERT_TRUE(back);
    EXPECT_TRUE(back->Sent);
    EXPECT_TRUE(back->IdsChanged);
    EXPECT_EQ(at(2, 3).Settings.Brightness, 50000);
    EXPECT_EQ(at(4, 1).DeviceId, 11);
    EXPECT_EQ(model.DeviceState.at(4, 1).DeviceId, 11);
    EXPECT_FALSE(at(4, 1).Synced); // another unit answers there now
    EXPECT_EQ(fileName, "a.MLV");
    EXPECT_EQ(at(1, 1).Settings.Contrast, 7);
    EXPECT_EQ(history.redoName(), "open b.MLV");
    EXPECT_EQ(history.undoName(), "");

    ASSERT_TRUE(history.redo());
    EXPECT_EQ(at(2, 3).Settings.Brightness, 1000);
    EXPECT_EQ(at(4, 1).DeviceId, 99);
    EXPECT_EQ(fileName, "b.MLV");

    ASSERT_TRUE(history.undo());
    {
        WallHistory::EditStep step(history, "paste", Sending::Sent);
        at(1, 2).Settings.Hue = 3;
    }
    EXPECT_FALSE(history.canRedo()); // a new step drops what could be redone
    EXPECT_EQ(history.undoCount(), 1u);
}

TEST_F(History, ASessionIsOneStepOfItsOwnEditsOnly) {
    const std::uint64_t session = history.newSession();
    const auto click = [&](double x) {
        WallHistory::EditStep step(history, "global panning", Sending::Sent, session);
        at(1, 1).Settings.XPosition = x;
    };
    click(1.0);
    at(2, 2).Settings.Gamma = 5; // a sequencer item between two clicks
    click(2.0);
    EXPECT_EQ(history.undoCount(), 1u);
    ASSERT_TRUE(history.undo());
    EXPECT_DOUBLE_EQ(at(1, 1).Settings.XPosition, 0.0);
    EXPECT_EQ(at(2, 2).Settings.Gamma, 5);

    ASSERT_TRUE(history.redo());
    const std::uint64_t next = history.newSession();
    for (const double x : {3.0, 2.0}) { // there and back: no step
        WallHistory::EditStep step(history, "global panning", Sending::Sent, next);
        at(1, 1).Settings.XPosition = x;
    }
    EXPECT_EQ(history.undoCount(), 1u);
}

TEST_F(History, KeepsTheNewestHundredSteps) {
    for (int n = 1; n <= 105; ++n) {
        WallHistory::EditStep step(history, "step " + std::to_string(n), Sending::NotSent);
        at(1, 1).Settings.Brightness = n;
    }
    EXPECT_EQ(history.undoCount(), WallHistory::kMaxSteps);
    while (history.undo()) {
    }
    EXPECT_EQ(at(1, 1).Settings.Brightness, 5);
    EXPECT_EQ(history.redoName(), "step 6");
    history.clear();
    EXPECT_FALSE(history.canRedo());
}

} // namespace
