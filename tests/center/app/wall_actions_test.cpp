// The wall actions over the synchronisation and the recording fake plug-in.
#include "app/wall_actions.h"

#include "../wall/sync_fixture.h"
#include "files/wall_file.h"
#include "wall/wall_state.h"

#include <algorithm>

using mlc::Answer;
using mlc::WallRect;

namespace {

class WallActionsTest : public SyncFixture {
protected:
    void SetUp() override {
        SyncFixture::SetUp();
        resize(2, 2);
    }
    int count(const std::string& line) {
        return static_cast<int>(std::count(calls().begin(), calls().end(), line));
    }

    mlc::ChainCommands chain{model, binding, op};
    std::vector<std::string> hooks;
    mlc::WallActions actions{model,
                             history,
                             chain,
                             binding.Exchanges(),
                             op,
                             mlc::WallActionHooks{[this] {
                                                      hooks.push_back("write");
                                                      return sync.WriteWall();
                                                  },
                                                  [this] {
                                                      hooks.push_back("resync");
                                                      return sync.ResyncVideowall();
                                                  },
                                                  [this] { hooks.push_back("save"); },
                                                  [this] { hooks.push_back("caption"); },
                                                  [this] {
                                                      hooks.push_back("router");
                                                      return true;
                                                  }}};
};

TEST_F(WallActionsTest, PasteSpecialWithNothingCheckedStillSendsTheWall) {
    EXPECT_FALSE(actions.canPaste());
    actions.copy(WallRect{1, 1, 1, 1});
    ASSERT_TRUE(actions.canPaste());
    const auto before = mlc::wallSettingsOf(model.Monitors);
    actions.pasteSpecial(WallRect{1, 1, 2, 2}, mlc::PasteSpecialMask{});
    EXPECT_EQ(mlc::wallSettingsOf(model.Monitors), before);
    EXPECT_TRUE(model.VideowallModified);
    EXPECT_EQ(hooks, (std::vector<std::string>{"caption", "write", "caption"}));
    EXPECT_EQ(count("SendOpExecute op_IP_MISC_EXECUTEQUEUE -"), 1);
}

TEST_F(WallActionsTest, CopyFromVideowallAsksReadsWhenNotSyncedAndTakesOver) {
    model.VideowallModified = true;
    op.scriptAnswers({Answer::Cancel});
    actions.copyFromVideowall();
    EXPECT_TRUE(hooks.empty());

    fakeplugin::script().percents["op_CONTRAST wnWIN_MAIN"] = 12000;
    op.scriptAnswers({Answer::Yes});
    actions.copyFromVideowall();
    EXPECT_EQ(op.questions.back().text,
              "Current videowall settings have not been saved yet.\r\nSave them before proceeding?");
    EXPECT_EQ(hooks, (std::vector<std::string>{"save", "resync", "caption", "caption"}));
    EXPECT_EQ(model.Monitors.at(2, 2).Settings.Contrast, 12000);
    EXPECT_TRUE(mlc::IsWallSynced(model));
    EXPECT_TRUE(model.VideowallModified);

    // Synced now: no read, no question answered No, only the copy.
    hooks.clear();
    op.scriptAnswers({Answer::No});
    actions.copyFromVideowall();
    EXPECT_EQ(hooks, (std::vector<std::string>{"caption"}));
}

TEST_F(WallActionsTest, MemoriesAreNamedByNumberAndReadNeedsASynchronisation) {
    mlc::SetAllSynced(model, true);
    EXPECT_TRUE(actions.memoryRecall(16));
    EXPECT_EQ(calls(), (std::vector<std::string>{
                           "SetAnswerRxStatus 0",
                           "SendOpSetValue op_IP_MISC_DEVICESELECTION slmIMMEXCLUSIVE envNotEnabled",
                           "SendOpSetValue op_IP_LCRST_USERPARMSET - gc16CHANNEL16",
                           "SendOpExecute op_IP_LCRST_RESTOREUSERSET -"}));
    EXPECT_FALSE(mlc::IsWallSynced(model));

    calls().clear();
    op.scriptAnswers({Answer::Yes});
    EXPECT_TRUE(actions.memoryStore(0)); // out of range: the nearest memory
    EXPECT_EQ(count("SendOpSetValue op_IP_LCRST_USERPARMSET - gc16CHANNEL1"), 1);
    EXPECT_EQ(count("SendOpExecute op_IP_LCRST_SAVEUSERPARMSET -"), 1);
    EXPECT_EQ(op.questions.back().icon, mlc::QuestionIcon::Warning);

    calls().clear();
    EXPECT_FALSE(actions.memoryStore(3)); // the question answered No
    EXPECT_TRUE(calls().empty());
}

TEST_F(WallActionsTest, AutosetKeepsToTheUsedWallAndSends) {
    actions.autosetEnlargement(WallRect{1, 1, 5, 1});
    EXPECT_DOUBLE_EQ(model.Monitors.at(2, 1).Settings.XPosition + model.Monitors.at(2, 1).Settings.XZoom,
                     100.0);
    EXPECT_TRUE(model.VideowallModified);
    EXPECT_EQ(hooks, (std::vector<std::string>{"caption", "write", "caption"}));
}

TEST_F(WallActionsTest, MovesAndNumberingWaitForARunningExchangeAndAMoveSendsTheWall) {
    model.Monitors.at(1, 2).Settings.Brightness = 12000;
    {
        auto running = binding.Exchanges().tryEnter();
        actions.moveRow(2, 1);
        actions.numberSequentially();
        actions.moveColumn(2, 2); // its own place: nothing to refuse
    }
    EXPECT_EQ(op.reportTexts(), std::vector<std::string>(2, mlc::kExchangeBusyMessage));
    EXPECT_EQ(hooks, (std::vector<std::string>{"caption"}));
    EXPECT_EQ(model.Monitors.at(1, 1).Settings.Brightness, 50000);
    EXPECT_FALSE(model.VideowallModified);

    hooks.clear();
    actions.moveRow(2, 1);
    EXPECT_EQ(model.Monitors.at(1, 1).Settings.Brightness, 12000);
    EXPECT_EQ(model.Monitors.at(1, 2).DeviceId, 21); // the IDs stay in place
    EXPECT_TRUE(model.VideowallModified);
    EXPECT_EQ(hooks, (std::vector<std::string>{"caption", "write", "caption"}));
    EXPECT_EQ(count("SendOpExecute op_IP_MISC_EXECUTEQUEUE -"), 1);

    hooks.clear();
    model.VideowallModified = false;
    actions.numberSequentially();
    EXPECT_EQ(model.Monitors.at(1, 2).DeviceId, 3);
    EXPECT_FALSE(model.VideowallModified);
    EXPECT_EQ(hooks, (std::vector<std::string>{"router", "caption"}));
}

TEST(PasteSpecialSettings, OnlyOneMeansReset) {
    mlc::ProgramSettings settings;
    settings.PasteSpecialUnselected = 7;
    EXPECT_EQ(mlc::pasteSpecialMaskOf(settings).Unselected, mlc::LeaveUnselected);
    settings.PasteSpecialUnselected = 1;
    EXPECT_EQ(mlc::pasteSpecialMaskOf(settings).Unselected, mlc::ResetUnselected);
}

} // namespace
