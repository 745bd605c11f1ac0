// The plug-in with our compiled definitions against the emulated chain: the
// names the control program sends reach the units and come back.
#include "conversions.h"
#include "driver_fixture.h"
#include "emulator_process.h"

namespace drivertest {
namespace {

class EmulatedChain : public ::testing::Test {
protected:
    EmulatedChain()
        : ports_("LVDRIVER_PORTS", emu.link().c_str()), scale_("LVDRIVER_TIMEOUT_SCALE", "0.2"),
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

    testsupport::EmulatorProcess emu{"1-3"};

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

} // namespace
} // namespace drivertest
