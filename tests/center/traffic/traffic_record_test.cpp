// What the traffic window shows, fed by the real plug-in's tap on a chain whose
// units answer badly.
#include "../e2e/wall_on_emulator.h"
#include "traffic/traffic_record.h"

#include <algorithm>

namespace e2e {
namespace {

class TrafficOnEmulator : public WallOnEmulator {
protected:
    std::vector<const TrafficLine*> shown(const TrafficFilter& filter) {
        std::vector<const TrafficLine*> lines;
        for (std::uint64_t n = record.begin(); n < record.end(); ++n)
            if (filter.matches(record.line(n)))
                lines.push_back(&record.line(n));
        return lines;
    }
    void setOn(std::uint8_t unit, const char* operation) {
        binding.SelectDevice(unit);
        binding.SetOperationPercent(operation, "wnWIN_MAIN", 50000);
    }

    TrafficRecord record;
};

TEST_F(TrafficOnEmulator, LinesAndUnitCountsOfAChainWithFaults) {
    start("1-3", 1, 1,
          {"--fault", "nak,unit=1,op=op_CONTRAST,at=2", "--fault", "crc,unit=2,op=op_BRIGHTNESS,at=1",
           "--fault", "drop,unit=3,op=op_HUE,at=1"});
    auto exchange = binding.Exchanges().tryEnter();
    auto tap = std::make_unique<TrafficTap>(binding, record);
    ASSERT_TRUE(tap->tapping());
    setOn(1, "op_CONTRAST"); // refused
    EXPECT_EQ(binding.SendEventByName("veINFO"), LV_RESULT_DEVICE_OK);
    setOn(2, "op_BRIGHTNESS"); // its range query's reply is damaged
    setOn(3, "op_HUE");        // not answered
    binding.SelectDevice(0);   // all units: nobody's count

    const auto& units = record.units();
    ASSERT_EQ(units.size(), 3u);
    const UnitHealth& one = units.at(1);
    EXPECT_EQ(one.exchanges, 4); // selection, range query, set, event
    EXPECT_EQ(one.refused, 1);
    EXPECT_FALSE(one.lastFailed); // the event went through after it
    EXPECT_EQ(one.lastResult, "acknowledge (6)");
    EXPECT_EQ(units.at(2).badChecksum, 1);
    EXPECT_TRUE(units.at(2).lastFailed);
    const UnitHealth& three = units.at(3);
    EXPECT_EQ(three.noAnswer, 1);
    EXPECT_EQ(three.lastResult, "no reply (255)");
    EXPECT_GT(three.lastSeen, 0); // it answered its selection

    // A packet and its exchange's end are one line.
    const auto failed = shown({-1, true});
    ASSERT_EQ(failed.size(), 3u);
    EXPECT_EQ(failed[0]->name, "op_CONTRAST");
    EXPECT_EQ(failed[0]->kind, "operation set");
    EXPECT_EQ(failed[0]->result, "refusal (21)");
    EXPECT_EQ(failed[1]->kind, "operation range");
    EXPECT_EQ(failed[1]->result, "reply packet with a wrong checksum, refused (21)");
    EXPECT_EQ(failed[2]->unit, 3);
    ASSERT_EQ(shown({2, false}).size(), 2u); // its selection and the range query
    EXPECT_EQ(shown({2, false})[0]->value, "value=env02");

    // Saved as the traffic log file has it: each packet's line, then its reply's.
    const std::string text = record.logText({1, true});
    EXPECT_NE(text.find(" sent unit=1 operation set op_CONTRAST target=wnWIN_MAIN value="),
              std::string::npos);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 2);
    EXPECT_NE(text.find("\n2"), std::string::npos) << text; // the reply line starts with its date
    EXPECT_NE(text.find(" reply unit=1 refusal (21)\n"), std::string::npos) << text;

    // Paused, no line is added; the units are still counted.
    const std::uint64_t end = record.end();
    record.setPaused(true);
    binding.SelectDevice(1);
    EXPECT_EQ(record.end(), end);
    EXPECT_EQ(units.at(1).exchanges, 5);
    record.setPaused(false);

    tap.reset(); // the window closed: the plug-in stops handing packets over
    binding.SelectDevice(2);
    EXPECT_EQ(record.end(), end);
    record.clear();
    EXPECT_EQ(record.begin(), record.end());
    EXPECT_TRUE(record.units().empty());
}

TEST(TrafficRecordBound, KeepsTheNewestLinesNumberedFromTheFirst) {
    TrafficRecord record;
    const LvTrafficEntry sent{0, 0, 5, LV_TRAFFIC_NOT_SENT, 0, 3, "event", "veINFO", "", "", "", "line"};
    for (std::size_t n = 0; n < TrafficRecord::kMaxLines + 5; ++n)
        record.take(sent);
    EXPECT_EQ(record.begin(), 5u);
    EXPECT_EQ(record.end(), TrafficRecord::kMaxLines + 5);
    EXPECT_EQ(record.line(record.begin()).name, "veINFO");
}

} // namespace
} // namespace e2e
