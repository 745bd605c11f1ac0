// The control program's use of the units, end to end: the real plug-in called by
// name as the control program calls it, the emulated chain on the other end, and
// the units' state read back from the emulator.
#include "emulator_process.h"
#include "plugin_library.h"
#include "scoped_env.h"
#include "test_timeouts.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>

namespace {

using testsupport::EmulatorProcess;
using testsupport::fieldOf;
using testsupport::PluginLibrary;
using testsupport::textCell;

using testsupport::ScopedEnv;

// The driver wrappers of the control program, over the real plug-in.
class Host {
public:
    explicit Host(const std::string& ids, const std::vector<std::string>& options = {})
        : emu(ids, options), ports_("LVDRIVER_PORTS", emu.link()),
          scale_("LVDRIVER_TIMEOUT_SCALE", testsupport::timeoutScale(0.1)),
          definitions_("LVDRIVER_DEFINITIONS", testsupport::binPath("mlcenter.PGC")),
          plugin_(std::make_unique<PluginLibrary>()) {
        opened_ = plugin_->openHardwarePort(1) == LV_RESULT_OK;
    }
    ~Host() { plugin_->closeHardwarePort(); }

    // True when this driver has its device commands and our definitions.
    bool ready() {
        LvCell count = 0;
        plugin_->run("GetMatchListItemCount", cell(textCell("mDeviceSelect")), &count);
        return opened_ && count > 0 &&
               setIdentifier("no_such_operation", "", "x") == LV_RESULT_UNKNOWN_OPERATION;
    }

    std::uint8_t selectDevice(int id) {
        LvCell wait = id > 0 ? 1 : 0;
        plugin_->run("SetAnswerRxStatus", &wait);
        const std::string name = id == 0   ? "envNotEnabled"
                                 : id == 1 ? "envEnable"
                                 : id < 10 ? "env0" + std::to_string(id)
                                           : "env" + std::to_string(id);
        return setIdentifier("op_IP_MISC_DEVICESELECTION", "slmIMMEXCLUSIVE", name);
    }
    std::uint8_t setPercent(const std::string& op, const std::string& target, std::int32_t percent) {
        LvCell value = static_cast<std::uint32_t>(percent);
        LvCell kind = 1;
        return plugin_->run("SendOpSetValue", cell(textCell(op.c_str())), targetCell(target), &value, &kind);
    }
    std::uint8_t setIdentifier(const std::string& op, const std::string& target,
                               const std::string& identifier) {
        LvCell value = textCell(identifier.c_str());
        LvCell kind = 2;
        return plugin_->run("SendOpSetValue", cell(textCell(op.c_str())), targetCell(target), &value, &kind);
    }
    std::uint8_t getPercent(const std::string& op, const std::string& target, std::int32_t& percent) {
        LvCell value = 0;
        LvCell kind = 1;
        const std::uint8_t result =
            plugin_->run("SendOpGetValue", cell(textCell(op.c_str())), targetCell(target), &value, &kind);
        percent = static_cast<std::int32_t>(value);
        return result;
    }
    std::uint8_t getIdentifier(const std::string& op, const std::string& target, std::string& identifier) {
        std::uint8_t buffer[256];
        buffer[0] = 255;
        std::memset(buffer + 1, ' ', 255);
        LvCell value = reinterpret_cast<LvCell>(buffer);
        LvCell kind = 2;
        const std::uint8_t result =
            plugin_->run("SendOpGetValue", cell(textCell(op.c_str())), targetCell(target), &value, &kind);
        identifier.assign(reinterpret_cast<const char*>(buffer + 1), 255);
        identifier.erase(identifier.find_last_not_of(' ') + 1);
        return result;
    }
    std::uint8_t execute(const std::string& op) {
        LvCell unused = 0;
        return plugin_->run("SendOpExecute", cell(textCell(op.c_str())), nullptr, &unused);
    }
    std::uint8_t event(const std::string& name) {
        LvCell parameter = 0;
        return plugin_->run("SendEvent", cell(textCell(name.c_str())), &parameter);
    }
    std::uint8_t detectPort(LvCell& port) {
        return plugin_->executeByNumber(LV_CMD_DETECT_PORT, &port, nullptr, nullptr, nullptr);
    }

    // The state line of one value, e.g. value("3", "op_BRIGHTNESS wnWIN_MAIN").
    std::string value(int unit, const std::string& opAndTarget) {
        const std::string state = emu.state();
        const std::string prefix = "unit " + std::to_string(unit) + " value " + opAndTarget + " ";
        const auto at = state.find("\n" + prefix);
        if (at == std::string::npos)
            return "";
        const auto start = at + 1 + prefix.size();
        return state.substr(start, state.find('\n', start) - start);
    }

    EmulatorProcess emu;

private:
    LvCell* cell(LvCell value) {
        cells_.push_back(std::make_unique<LvCell>(value));
        return cells_.back().get();
    }
    LvCell* targetCell(const std::string& target) {
        return target.empty()
                   ? cell(0)
                   : cell(textCell(strings_.emplace_back(std::make_unique<std::string>(target))->c_str()));
    }

    ScopedEnv ports_;
    ScopedEnv scale_;
    ScopedEnv definitions_;
    std::unique_ptr<PluginLibrary> plugin_;
    bool opened_ = false;
    std::vector<std::unique_ptr<LvCell>> cells_;
    std::vector<std::unique_ptr<std::string>> strings_;
};

#define REQUIRE_DEVICE_COMMANDS(host)                                                                        \
    if (!(host).ready())                                                                                     \
    GTEST_SKIP() << "this driver has no device commands or definitions yet"

TEST(ControlProgramOnEmulator, WallDetectionFindsThePresentIdsOfAChainWithGaps) {
    Host host("1-3,5,8-9,12");
    REQUIRE_DEVICE_COMMANDS(host);
    std::string present;
    for (int id = 1; id <= 14; ++id) {
        const std::uint8_t result = host.selectDevice(id);
        EXPECT_TRUE(result == LV_RESULT_DEVICE_OK || result == LV_RESULT_IO_ERROR)
            << id << ": " << int(result);
        present += result == LV_RESULT_DEVICE_OK ? 'x' : '.';
    }
    EXPECT_EQ(present, "xxx.x..xx..x..");
    LvCell port = 99;
    EXPECT_EQ(host.detectPort(port), LV_RESULT_OK);
    EXPECT_EQ(port, 1u) << "the chain answers the port probe";
}

TEST(ControlProgramOnEmulator, PercentAndIdentifierRoundTrips) {
    Host host("3,4");
    REQUIRE_DEVICE_COMMANDS(host);
    ASSERT_EQ(host.selectDevice(3), LV_RESULT_DEVICE_OK);

    // 0..255: 53 % becomes 135, which reads back as 52941.
    EXPECT_EQ(host.setPercent("op_BRIGHTNESS", "wnWIN_MAIN", 53000), LV_RESULT_DEVICE_OK);
    std::int32_t percent = -1;
    EXPECT_EQ(host.getPercent("op_BRIGHTNESS", "wnWIN_MAIN", percent), LV_RESULT_DEVICE_OK);
    EXPECT_EQ(percent, 52941);
    EXPECT_EQ(host.value(3, "op_BRIGHTNESS wnWIN_MAIN"), "135 percent=52941");
    EXPECT_EQ(host.value(3, "op_BRIGHTNESS wnWIN_PIP"), "127 percent=49803")
        << "the other target is untouched";
    EXPECT_EQ(host.value(4, "op_BRIGHTNESS wnWIN_MAIN"), "127 percent=49803") << "and so is the other unit";
    const auto sets = host.emu.logLines("dir=rx unit=3 type=3 kind=op sub=set name=op_BRIGHTNESS");
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_EQ(fieldOf(sets[0], "value"), "135");
    EXPECT_EQ(host.emu.logLines("dir=rx unit=3 type=3 kind=op sub=range name=op_BRIGHTNESS").size(), 2u)
        << "set and get each ask the range";

    // -50..50: the driver scales into 0..100, and the unit keeps it there.
    EXPECT_EQ(host.setPercent("op_HUE", "wnWIN_MAIN", 75000), LV_RESULT_DEVICE_OK);
    EXPECT_EQ(host.getPercent("op_HUE", "wnWIN_MAIN", percent), LV_RESULT_DEVICE_OK);
    EXPECT_EQ(percent, 75000);
    EXPECT_EQ(host.value(3, "op_HUE wnWIN_MAIN"), "75 percent=75000");

    EXPECT_EQ(host.setIdentifier("op_FREEZE_FRAME", "wnWIN_MAIN", "enEnable"), LV_RESULT_DEVICE_OK);
    std::string identifier;
    EXPECT_EQ(host.getIdentifier("op_FREEZE_FRAME", "wnWIN_MAIN", identifier), LV_RESULT_DEVICE_OK);
    EXPECT_EQ(identifier, "enEnable");
    EXPECT_EQ(host.value(3, "op_FREEZE_FRAME wnWIN_MAIN"), "1 item=enEnable");
}

TEST(ControlProgramOnEmulator, QueuedChangesApplyOnOneBroadcast) {
    Host host("1-4");
    REQUIRE_DEVICE_COMMANDS(host);
    for (int id = 1; id <= 4; ++id) {
        ASSERT_EQ(host.selectDevice(id), LV_RESULT_DEVICE_OK);
        ASSERT_EQ(host.execute("op_IP_MISC_SETQUEUE"), LV_RESULT_DEVICE_OK);
        ASSERT_EQ(host.setPercent("op_CONTRAST", "wnWIN_MAIN", 100000), LV_RESULT_DEVICE_OK);
        ASSERT_EQ(host.setIdentifier("op_FREEZE_FRAME", "wnWIN_MAIN", "enEnable"), LV_RESULT_DEVICE_OK);
    }
    EXPECT_EQ(host.value(2, "op_CONTRAST wnWIN_MAIN"), "127 percent=49803") << "held in the queue";
    EXPECT_NE(host.emu.state().find("\nunit 4 queue open 2\n"), std::string::npos);

    ASSERT_EQ(host.selectDevice(0), LV_RESULT_DEVICE_OK);
    ASSERT_EQ(host.execute("op_IP_MISC_EXECUTEQUEUE"), LV_RESULT_DEVICE_OK);
    ASSERT_EQ(host.selectDevice(1), LV_RESULT_DEVICE_OK); // answered, so the broadcast has been handled
    for (int id = 1; id <= 4; ++id) {
        EXPECT_EQ(host.value(id, "op_CONTRAST wnWIN_MAIN"), "255 percent=100000") << id;
        EXPECT_EQ(host.value(id, "op_FREEZE_FRAME wnWIN_MAIN"), "1 item=enEnable") << id;
    }
    EXPECT_NE(host.emu.state().find("\nunit 3 queue closed 0\n"), std::string::npos);
    EXPECT_TRUE(host.emu.logLines("dir=tx unit=all").empty()) << "nobody answers a broadcast";
}

TEST(ControlProgramOnEmulator, MemoryStoreAndRecallOnAllUnits) {
    Host host("1-2");
    REQUIRE_DEVICE_COMMANDS(host);
    ASSERT_EQ(host.selectDevice(2), LV_RESULT_DEVICE_OK);
    ASSERT_EQ(host.setPercent("op_BRIGHTNESS", "wnWIN_MAIN", 20000), LV_RESULT_DEVICE_OK);

    ASSERT_EQ(host.selectDevice(0), LV_RESULT_DEVICE_OK);
    ASSERT_EQ(host.setIdentifier("op_IP_LCRST_USERPARMSET", "", "gc16CHANNEL3"), LV_RESULT_DEVICE_OK);
    ASSERT_EQ(host.execute("op_IP_LCRST_SAVEUSERPARMSET"), LV_RESULT_DEVICE_OK);

    ASSERT_EQ(host.selectDevice(2), LV_RESULT_DEVICE_OK);
    ASSERT_EQ(host.setPercent("op_BRIGHTNESS", "wnWIN_MAIN", 90000), LV_RESULT_DEVICE_OK);

    ASSERT_EQ(host.selectDevice(0), LV_RESULT_DEVICE_OK);
    ASSERT_EQ(host.setIdentifier("op_IP_LCRST_USERPARMSET", "", "gc16CHANNEL3"), LV_RESULT_DEVICE_OK);
    ASSERT_EQ(host.execute("op_IP_LCRST_RESTOREUSERSET"), LV_RESULT_DEVICE_OK);
    ASSERT_EQ(host.selectDevice(2), LV_RESULT_DEVICE_OK);
    std::int32_t percent = -1;
    EXPECT_EQ(host.getPercent("op_BRIGHTNESS", "wnWIN_MAIN", percent), LV_RESULT_DEVICE_OK);
    EXPECT_EQ(percent, 20000);
    EXPECT_EQ(host.value(1, "op_BRIGHTNESS wnWIN_MAIN"), "127 percent=49803");

    // Factory reset, as the special functions send it: factory values, memories gone.
    ASSERT_EQ(host.selectDevice(0), LV_RESULT_DEVICE_OK);
    ASSERT_EQ(host.execute("op_DATA_MANAGER_RESET"), LV_RESULT_DEVICE_OK);
    ASSERT_EQ(host.execute("op_IP_MISC_RESET"), LV_RESULT_DEVICE_OK);
    ASSERT_EQ(host.selectDevice(2), LV_RESULT_DEVICE_OK);
    EXPECT_EQ(host.value(2, "op_BRIGHTNESS wnWIN_MAIN"), "127 percent=49803");
    EXPECT_EQ(host.emu.state().find("unit 2 memory 3 "), std::string::npos);
}

TEST(ControlProgramOnEmulator, RemoteKeysReachEveryUnit) {
    Host host("1-3");
    REQUIRE_DEVICE_COMMANDS(host);
    ASSERT_EQ(host.selectDevice(0), LV_RESULT_DEVICE_OK);
    EXPECT_EQ(host.event("veNUM0"), LV_RESULT_DEVICE_OK);
    ASSERT_EQ(host.selectDevice(3), LV_RESULT_DEVICE_OK);
    const std::string state = host.emu.state();
    for (int id = 1; id <= 3; ++id)
        EXPECT_NE(state.find("\nunit " + std::to_string(id) + " event veNUM0 0\n"), std::string::npos) << id;
    EXPECT_EQ(host.emu.logLines("kind=event name=veNUM0").size(), 1u);
}

TEST(ControlProgramOnEmulator, AMissingIdIsSilentAndEveryFaultFailsTheCommand) {
    {
        Host host("1");
        REQUIRE_DEVICE_COMMANDS(host);
        EXPECT_EQ(host.selectDevice(7), LV_RESULT_IO_ERROR);
        EXPECT_EQ(host.setPercent("op_BRIGHTNESS", "wnWIN_MAIN", 1000), LV_RESULT_IO_ERROR)
            << "nobody selected";
        EXPECT_TRUE(host.emu.logLines("dir=tx").empty());
    }
    for (const char* fault : {"drop", "nak", "crc", "garbage", "late", "silent"}) {
        SCOPED_TRACE(fault);
        // The unit's second answer is hit: the selection works, the command fails.
        Host host("5", {"--fault", std::string(fault) + ",unit=5,at=2"});
        ASSERT_EQ(host.selectDevice(5), LV_RESULT_DEVICE_OK);
        EXPECT_EQ(host.setIdentifier("op_FREEZE_FRAME", "wnWIN_MAIN", "enEnable"), LV_RESULT_IO_ERROR);
    }
}

} // namespace
