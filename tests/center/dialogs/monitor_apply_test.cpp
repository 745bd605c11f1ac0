#include "../wall/sync_fixture.h"
#include "dialogs/monitor_apply.h"

#include <gmock/gmock.h>

#include <algorithm>

using namespace mlc;
using ::testing::HasSubstr;

namespace {

class DialogApply : public SyncFixture {
protected:
    int countCalls(const std::string& text) {
        return static_cast<int>(std::count(calls().begin(), calls().end(), text));
    }
    DeviceAccess devices{sync, router, op};
};

} // namespace

TEST_F(DialogApply, QuickApplyWritesTheSelectionRowByRowInOneExchange) {
    resize(3, 3);
    for (int r = 1; r <= 3; ++r)
        for (int c = 1; c <= 3; ++c) {
            settings(c, r).XPosition = c * 10.0;
            settings(c, r).ColorTemperature = 1;
        }
    settings(3, 2).ColorTemperature = 9; // no identifier: skipped, named in the one warning
    settings(2, 3).ColorTemperature = 9;
    int refusedMeanwhile = 0;
    op.onPendingEvents = [&] { refusedMeanwhile += !sync.WriteMonitor(1, 1, true); };

    QuickSettings values;
    values.SourceInput = 2;
    values.XZoom = 50;
    values.YZoom = 25;
    values.Brightness = 12345;
    const WallRect selection{2, 1, 3, 3}; // 2 x 3
    EXPECT_EQ(ApplyQuickSettings(model, history, devices, false, selection, values), ApplyOutcome::Sent);

    EXPECT_GT(refusedMeanwhile, 0);
    EXPECT_TRUE(model.VideowallModified);
    EXPECT_EQ(countCalls("SendOpExecute op_IP_MISC_EXECUTEQUEUE -"), 6);
    std::vector<std::string> selected;
    for (const auto& line : calls())
        if (line.find("DEVICESELECTION") != std::string::npos)
            selected.push_back(line.substr(line.rfind(' ') + 1));
    EXPECT_EQ(selected, (std::vector<std::string>{"env12", "env13", "env22", "env23", "env32", "env33"}));
    for (int r = 1; r <= 3; ++r) {
        EXPECT_EQ(settings(1, r).Brightness, 50000) << "outside the selection";
        for (int c = 2; c <= 3; ++c) {
            EXPECT_EQ(settings(c, r).XPosition, c * 10.0);
            EXPECT_EQ(settings(c, r).XZoom, 50);
            EXPECT_EQ(settings(c, r).SourceInput, 2);
            EXPECT_EQ(settings(c, r).Brightness, 12345);
            EXPECT_EQ(settings(c, r).ColorTemperature, (c == 3 && r == 2) || (c == 2 && r == 3) ? 9 : 1);
        }
    }
    // Each command refused meanwhile said so; the unsendable fields came in one warning.
    EXPECT_EQ(op.reportTexts(),
              std::vector<std::string>(static_cast<std::size_t>(refusedMeanwhile), kExchangeBusyMessage));
    ASSERT_EQ(op.messages.size(), 1u);
    EXPECT_THAT(op.messages.back().text, HasSubstr("row 2 (ID 23): ColorTemperature 9"));
    EXPECT_THAT(op.messages.back().text, HasSubstr("row 3 (ID 32): ColorTemperature 9"));
    EXPECT_EQ(op.progressOpenCount, 1);
    EXPECT_EQ(op.progressViews.at(1).text, "Updating videowall...");
}

TEST_F(DialogApply, AFailedMonitorDoesNotStopTheQuickApplyButARouterRefusalDoes) {
    resize(3, 1);
    fakeplugin::script().failures["SendOpSetValue op_IP_MISC_DEVICESELECTION slmIMMEXCLUSIVE env11"] = 0x85;
    EXPECT_EQ(ApplyQuickSettings(model, history, devices, true, {1, 1, 3, 1}, {}), ApplyOutcome::WriteFailed);
    EXPECT_EQ(countCalls("SendOpExecute op_IP_MISC_EXECUTEQUEUE -"), 2);
    EXPECT_TRUE(model.VideowallModified);

    model.VideowallModified = false;
    calls().clear();
    options.ActivateVideoRouter = true;
    fakeplugin::script().failures.clear();
    routerRefuse.set("CommitChanges");
    routerRefuseAfter.set("1"); // the write's own commit passes, the apply's is refused
    QuickSettings values;
    values.Brightness = 1000;
    EXPECT_EQ(ApplyQuickSettings(model, history, devices, true, {1, 1, 3, 1}, values),
              ApplyOutcome::RouterRefused);
    EXPECT_EQ(countCalls("SendOpExecute op_IP_MISC_EXECUTEQUEUE -"), 1);
    EXPECT_EQ(settings(3, 1).Brightness, 1000); // stored, left unsent
    EXPECT_TRUE(model.VideowallModified);       // so the edit is not lost on opening another wall
}

TEST_F(DialogApply, MonitorApplyStoresWritesAndCommitsTheRouter) {
    resize(2, 2);
    options.ActivateVideoRouter = true;
    TMonitorSettings edited = settings(2, 2);
    edited.Brightness = 7000;
    edited.VideoMatrixSource = 4;
    EXPECT_EQ(ApplySettings(model, history, devices, true, 2, 2, edited), ApplyOutcome::Sent);
    EXPECT_EQ(settings(2, 2), edited);
    EXPECT_TRUE(model.Monitors.at(2, 2).Synced);
    EXPECT_TRUE(model.VideowallModified);
    EXPECT_EQ(routerLog(), "SetNewInput 22 4 -> 1\nCommitChanges -> 1\nCommitChanges -> 1\n");
    EXPECT_EQ(op.progressViews.at(1).text, "Updating monitor...");
    EXPECT_EQ(op.progressOpenCount, op.progressCloseCount);

    model.VideowallModified = false;
    routerRefuse.set("CommitChanges");
    edited.Brightness = 8000;
    EXPECT_EQ(ApplySettings(model, history, devices, true, 2, 2, edited), ApplyOutcome::RouterRefused);
    EXPECT_EQ(settings(2, 2).Brightness, 8000);
    EXPECT_TRUE(model.VideowallModified);
}

TEST_F(DialogApply, NothingIsStoredWhileAnotherExchangeRuns) {
    auto held = binding.Exchanges().tryEnter();
    TMonitorSettings edited;
    edited.Brightness = 1;
    EXPECT_EQ(ApplySettings(model, history, devices, false, 1, 1, edited), ApplyOutcome::Busy);
    EXPECT_EQ(ApplyQuickSettings(model, history, devices, false, {1, 1, 1, 1}, {}), ApplyOutcome::Busy);
    EXPECT_EQ(settings(1, 1).Brightness, 50000);
    EXPECT_FALSE(model.VideowallModified);
    EXPECT_TRUE(calls().empty());
    EXPECT_EQ(op.reportTexts(), (std::vector<std::string>(2, kExchangeBusyMessage)));
}

TEST_F(DialogApply, RouterInputListHoldsWhatOneByteCanAddress) {
    std::string names = std::string(255, 'n');
    for (int i = 1; i < 300; ++i)
        names += ",in" + std::to_string(i);
    routerInputs.set(names);
    const auto inputs = RouterInputNames(router);
    ASSERT_EQ(inputs.size(), 256u);
    EXPECT_EQ(inputs[0], std::string(255, 'n'));
    EXPECT_EQ(inputs[255], "in255");
    routerInputs.set(nullptr);
    EXPECT_TRUE(RouterInputNames(router).empty());
}
