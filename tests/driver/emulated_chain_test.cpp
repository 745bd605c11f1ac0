// The plug-in with our compiled definitions against the emulated chain: the
// names the control program sends reach the units and come back.
#include "conversions.h"
#include "driver_fixture.h"
#include "emulator_process.h"
#include "test_timeouts.h"

#include <algorithm>
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

} // namespace
} // namespace drivertest
