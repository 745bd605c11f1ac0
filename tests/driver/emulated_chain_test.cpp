// The plug-in with our compiled definitions against the emulated chain: the
// names the control program sends reach the units and come back.
#include "conversions.h"
#include "driver_fixture.h"
#include "emulator_process.h"
#include "paths.h"
#include "test_timeouts.h"

#include <algorithm>
#include <fstream>
#include <functional>

namespace drivertest {
namespace {

class EmulatedChain : public ::testing::Test {
protected:
    explicit EmulatedChain(const std::vector<std::string>& emulatorOptions = {})
        : emu("1-3", emulatorOptions), ports_("LVDRIVER_PORTS", emu.link().c_str()),
          scale_("LVDRIVER_TIMEOUT_SCALE", testsupport::timeoutScale(0.2)),
          definitions_("LVDRIVER_DEFINITIONS", testsupport::binPath("mlcenter.PGC").c_str()) {}

    std::uint8_t operation(const char* command, const char* name, const char* target, LvCell* value,
                           std::uint8_t kind) {
        LvCell p1 = textCell(name), p2 = textCell(target), p4 = kind;
        return plugin->run(command, &p1, &p2, value, &p4);
    }

    std::uint8_t select(const char* identifier) {
        LvCell value = textCell(identifier);
        return operation("SendOpSetValue", "op_IP_MISC_DEVICESELECTION", "slmIMMEXCLUSIVE", &value,
                         LV_VALUE_IDENTIFIER);
    }

    testsupport::EmulatorProcess emu;

private:
    ScopedEnv ports_;
    ScopedEnv scale_;
    ScopedEnv definitions_;

protected:
    std::unique_ptr<testsupport::PluginLibrary> plugin = std::make_unique<testsupport::PluginLibrary>();
};

TEST_F(EmulatedChain, DetectSelectSetAndReadBack) {
    LvCell port = 0;
    ASSERT_EQ(plugin->run("DetectPort", &port), LV_RESULT_OK);
    ASSERT_EQ(port, 1u);

    ASSERT_EQ(select("env03"), LV_RESULT_DEVICE_OK);
    LvCell value = 50000;
    EXPECT_EQ(operation("SendOpSetValue", "op_BRIGHTNESS", "wnWIN_MAIN", &value, LV_VALUE_PERCENTAGE),
              LV_RESULT_DEVICE_OK);
    value = 0;
    EXPECT_EQ(operation("SendOpGetValue", "op_BRIGHTNESS", "wnWIN_MAIN", &value, LV_VALUE_IMMEDIATE),
              LV_RESULT_DEVICE_OK);
    EXPECT_EQ(value, 127u);
    EXPECT_EQ(operation("SendOpGetValue", "op_BRIGHTNESS", "wnWIN_MAIN", &value, LV_VALUE_PERCENTAGE),
              LV_RESULT_DEVICE_OK);
    EXPECT_EQ(value, static_cast<LvCell>(lv::RangeToPercent(0, 255, 127)));

    // An absent unit stays silent: a read/write error, with no port failure behind it.
    EXPECT_EQ(select("env09"), LV_RESULT_IO_ERROR);
    EXPECT_EQ(plugin->lastErrorText(), "");
}

// Units 1 and 3 have the file's brightness range 0..255, unit 2 is of a kind with 0..100.
class RangeCacheOnChain : public EmulatedChain {
protected:
    RangeCacheOnChain() : EmulatedChain({"--unit-range", "2:op_BRIGHTNESS:0:100"}) {}

    std::uint8_t setHalf(const char* unit) {
        EXPECT_EQ(select(unit), LV_RESULT_DEVICE_OK);
        LvCell value = 50000;
        return operation("SendOpSetValue", "op_BRIGHTNESS", "wnWIN_MAIN", &value, LV_VALUE_PERCENTAGE);
    }
    std::size_t rangeQueries() {
        const auto lines = emu.logLines("sub=range");
        return static_cast<std::size_t>(
            std::count_if(lines.begin(), lines.end(),
                          [](const std::string& line) { return line.find("dir=rx") != std::string::npos; }));
    }
    std::uint8_t switchCache(bool on) {
        LvCell flag = on ? 1 : 0;
        return plugin->run("setrangecachestatus", &flag);
    }
};

TEST_F(RangeCacheOnChain, EachUnitsRangeIsAskedOnceUntilSomethingMakesItUnsure) {
    ASSERT_EQ(plugin->openHardwarePort(1), LV_RESULT_OK);
    ASSERT_EQ(switchCache(true), LV_RESULT_OK);
    for (const char* unit : {"envEnable", "env02", "envEnable", "env02", "env03"})
        ASSERT_EQ(setHalf(unit), LV_RESULT_DEVICE_OK) << unit;
    EXPECT_EQ(rangeQueries(), 3u) << "once for each unit";
    const std::string state = emu.state();
    EXPECT_NE(state.find("\nunit 1 value op_BRIGHTNESS wnWIN_MAIN 127 "), std::string::npos);
    EXPECT_NE(state.find("\nunit 2 value op_BRIGHTNESS wnWIN_MAIN 50 percent=50000"), std::string::npos);
    EXPECT_NE(state.find("\nunit 3 value op_BRIGHTNESS wnWIN_MAIN 127 "), std::string::npos);
    // A get on a unit whose range is known reads through it without asking.
    ASSERT_EQ(select("env02"), LV_RESULT_DEVICE_OK);
    LvCell percent = 0;
    EXPECT_EQ(operation("SendOpGetValue", "op_BRIGHTNESS", "wnWIN_MAIN", &percent, LV_VALUE_PERCENTAGE),
              LV_RESULT_DEVICE_OK);
    EXPECT_EQ(percent, 50000u);
    EXPECT_EQ(rangeQueries(), 3u);

    // Forgotten when the port is opened again, when the switch is set again, after
    // a factory reset and after a failed exchange (a unit that is not there).
    const std::function<void()> forgetting[] = {
        [&] {
            plugin->closeHardwarePort();
            ASSERT_EQ(plugin->openHardwarePort(1), LV_RESULT_OK);
        },
        [&] { ASSERT_EQ(switchCache(true), LV_RESULT_OK); },
        [&] {
            LvCell wait = 0;
            plugin->run("SetAnswerRxStatus", &wait);
            select("envNotEnabled");
            LvCell p1 = textCell("op_DATA_MANAGER_RESET"), none = 0;
            plugin->run("SendOpExecute", &p1, &none);
            wait = 1;
            plugin->run("SetAnswerRxStatus", &wait);
        },
        [&] { EXPECT_EQ(select("env09"), LV_RESULT_IO_ERROR); },
    };
    for (const auto& forget : forgetting) {
        const std::size_t before = rangeQueries();
        forget();
        ASSERT_EQ(setHalf("env02"), LV_RESULT_DEVICE_OK);
        ASSERT_EQ(setHalf("env02"), LV_RESULT_DEVICE_OK);
        EXPECT_EQ(rangeQueries(), before + 1);
    }

    // Switched off, every percentage asks again, as it always did.
    ASSERT_EQ(switchCache(false), LV_RESULT_OK);
    const std::size_t before = rangeQueries();
    ASSERT_EQ(setHalf("env02"), LV_RESULT_DEVICE_OK);
    ASSERT_EQ(setHalf("env02"), LV_RESULT_DEVICE_OK);
    EXPECT_EQ(rangeQueries(), before + 2);
}

// The traffic tap, with units that answer badly: the entries decoded as the
// traffic log writes them, the unit each is for and how each exchange ended.
class TrafficTapOnChain : public EmulatedChain {
protected:
    TrafficTapOnChain()
        : EmulatedChain({"--fault", "nak,unit=1,op=op_CONTRAST,at=2", "--fault",
                         "crc,unit=2,op=op_BRIGHTNESS,at=1", "--fault", "drop,unit=3,op=op_HUE,at=1"}) {}

    struct Entry {
        int direction, outcome, unit, type;
        std::string kind, name, target, value, result, line;
    };
    static void LV_API collect(const LvTrafficEntry* e, void* context) {
        static_cast<std::vector<Entry>*>(context)->push_back({e->direction, e->outcome, e->unit,
                                                              e->packetType, e->kind, e->name, e->target,
                                                              e->value, e->result, e->line});
    }
    std::uint8_t tap(LvTrafficTap function) {
        LvCell p1 = reinterpret_cast<LvCell>(function), p2 = reinterpret_cast<LvCell>(&entries);
        return plugin->run("SetTrafficTap", &p1, &p2);
    }
    std::uint8_t set(const char* operation, std::int32_t percent) {
        LvCell value = static_cast<LvCell>(percent);
        return this->operation("SendOpSetValue", operation, "wnWIN_MAIN", &value, LV_VALUE_PERCENTAGE);
    }
    const Entry& lastReply() const {
        return *std::find_if(entries.rbegin(), entries.rend(),
                             [](const Entry& e) { return e.direction == LV_TRAFFIC_REPLY; });
    }

    std::vector<Entry> entries;
};

TEST_F(TrafficTapOnChain, EntriesAreTheLogsLinesWithTheUnitAndTheOutcome) {
    testsupport::TempDir dir;
    const std::string log = dir.file("traffic.log");
    {
        ScopedEnv traffic("LVDRIVER_TRAFFIC", log.c_str());
        plugin.reset(); // loaded afresh, it reads LVDRIVER_TRAFFIC
        plugin = std::make_unique<testsupport::PluginLibrary>();
    }
    ASSERT_EQ(plugin->openHardwarePort(1), LV_RESULT_OK);
    ASSERT_EQ(tap(collect), LV_RESULT_OK);

    ASSERT_EQ(select("envEnable"), LV_RESULT_DEVICE_OK);
    EXPECT_EQ(set("op_CONTRAST", 50000), LV_RESULT_IO_ERROR);
    ASSERT_EQ(entries.size(), 7u); // selection, range query with its reply packet, the set
    EXPECT_EQ(entries[0].direction, LV_TRAFFIC_SENT);
    EXPECT_EQ(entries[0].unit, 1);
    EXPECT_EQ(entries[0].kind, "operation set");
    EXPECT_EQ(entries[0].name, "op_IP_MISC_DEVICESELECTION");
    EXPECT_EQ(entries[0].target, "slmIMMEXCLUSIVE");
    EXPECT_EQ(entries[0].value, "value=envEnable");
    EXPECT_NE(
        entries[0].line.find(" sent unit=1 operation set op_IP_MISC_DEVICESELECTION target=slmIMMEXCLUSIVE "
                             "value=envEnable | BE EF 03 19 00 "),
        std::string::npos)
        << entries[0].line;
    EXPECT_EQ(entries[1].outcome, LV_TRAFFIC_ANSWERED);
    EXPECT_EQ(entries[1].result, "acknowledge (6)");
    EXPECT_EQ(entries[3].result, "reply packet (30)");
    EXPECT_EQ(entries[4].direction, LV_TRAFFIC_RECEIVED);
    EXPECT_EQ(entries[4].kind, "operation range");
    const Entry& refused = entries[6];
    EXPECT_EQ(refused.outcome, LV_TRAFFIC_REFUSED);
    EXPECT_EQ(refused.unit, 1);
    EXPECT_EQ(refused.name, "op_CONTRAST"); // a reply names what it answers
    EXPECT_EQ(refused.type, LV_PACKET_TYPE_OPERATION);
    EXPECT_NE(refused.line.find(" reply unit=1 refusal (21)"), std::string::npos) << refused.line;

    ASSERT_EQ(select("env02"), LV_RESULT_DEVICE_OK);
    EXPECT_EQ(set("op_BRIGHTNESS", 50000), LV_RESULT_IO_ERROR); // its range query's reply is damaged
    EXPECT_EQ(lastReply().outcome, LV_TRAFFIC_BAD_CHECKSUM);
    EXPECT_EQ(lastReply().unit, 2);
    EXPECT_EQ(lastReply().result, "reply packet with a wrong checksum, refused (21)");
    ASSERT_EQ(select("env03"), LV_RESULT_DEVICE_OK);
    EXPECT_EQ(set("op_HUE", 50000), LV_RESULT_IO_ERROR);
    EXPECT_EQ(lastReply().outcome, LV_TRAFFIC_NO_ANSWER);

    // The other packet types, each in its own words.
    ASSERT_EQ(select("envEnable"), LV_RESULT_DEVICE_OK);
    LvCell event = textCell("veINFO"), parameter = 3;
    ASSERT_EQ(plugin->run("SendEvent", &event, &parameter), LV_RESULT_DEVICE_OK);
    LvCell variable = textCell("vaOSD_LOCK"), state = 0;
    ASSERT_EQ(plugin->run("VariableGet", &variable, &state), LV_RESULT_DEVICE_OK);
    std::vector<std::uint8_t> data(65535, 0);
    LvCell id = 7, size = 2, block = reinterpret_cast<LvCell>(data.data());
    ASSERT_EQ(plugin->run("SendOEM", &id, &size, &block), LV_RESULT_DEVICE_OK);
    std::vector<std::string> decoded;
    for (const Entry& e : entries)
        if (e.direction == LV_TRAFFIC_SENT && e.type != LV_PACKET_TYPE_OPERATION)
            decoded.push_back(e.kind + "|" + e.name + "|" + e.value);
    EXPECT_EQ(decoded, (std::vector<std::string>{"event|veINFO|param=3", "variable get|vaOSD_LOCK|value=0",
                                                 "oem||id=7 size=2"}));
    EXPECT_EQ(entries.back().direction, LV_TRAFFIC_RECEIVED); // the OEM echo
    LvCell wait = 0;
    plugin->run("SetAnswerRxStatus", &wait);
    ASSERT_EQ(select("envNotEnabled"), LV_RESULT_DEVICE_OK);
    EXPECT_EQ(entries.back().unit, 0);
    EXPECT_NE(entries.back().line.find(" sent unit=all "), std::string::npos);

    // One decoding: the file holds exactly the lines the tap was given.
    std::ifstream file(log);
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);)
        lines.push_back(line);
    ASSERT_EQ(lines.size(), entries.size());
    for (std::size_t i = 0; i < lines.size(); ++i)
        EXPECT_EQ(lines[i], entries[i].line);

    // Stopped, nothing more comes.
    ASSERT_EQ(tap(nullptr), LV_RESULT_OK);
    const std::size_t before = entries.size();
    select("envEnable");
    EXPECT_EQ(entries.size(), before);
}

} // namespace
} // namespace drivertest
