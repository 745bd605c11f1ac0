#include "sync_fixture.h"

#include <gmock/gmock.h>

using namespace mlc;
using ::testing::HasSubstr;

// Several writes in one exchange: the body's writes go through, a command arriving
// meanwhile (while the progress window lets events run) is refused, and the
// unsendable fields of all monitors come in one warning.
TEST_F(SyncFixture, RunExchangeWritesSeveralMonitorsAsOneExchange) {
    resize(2, 1);
    settings(1, 1).ColorTemperature = 9;
    settings(2, 1).ColorTemperature = 9;
    bool nestedRefused = false;
    const bool result = sync.RunExchange([&](DeviceSync::Exchange& exchange) {
        EXPECT_TRUE(sync.Busy());
        nestedRefused = !sync.WriteMonitor(1, 1, true) && !sync.ExecuteQueue();
        return exchange.WriteMonitor(1, 1, true) && exchange.WriteMonitor(2, 1, true) &&
               !exchange.WriteMonitor(17, 1, true);
    });
    EXPECT_TRUE(result);
    EXPECT_TRUE(nestedRefused);
    EXPECT_FALSE(sync.Busy());
    EXPECT_TRUE(model.Monitors.at(1, 1).Synced);
    EXPECT_TRUE(model.Monitors.at(2, 1).Synced);
    EXPECT_EQ(op.reportTexts(), std::vector<std::string>(2, kExchangeBusyMessage)); // the two refusals
    ASSERT_EQ(op.messages.size(), 1u);                                              // then the one warning
    EXPECT_THAT(op.messages[0].text, HasSubstr("Column 1, row 1 (ID 11): ColorTemperature 9"));
    EXPECT_THAT(op.messages[0].text, HasSubstr("Column 2, row 1 (ID 12): ColorTemperature 9"));

    // A body that never runs: another exchange holds the gate.
    auto held = binding.Exchanges().tryEnter();
    bool ran = false;
    EXPECT_FALSE(sync.RunExchange([&](DeviceSync::Exchange&) { return ran = true; }));
    EXPECT_FALSE(ran);
}
