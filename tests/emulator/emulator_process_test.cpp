// mlemu as a program: a host on the real pseudo-terminal, the log and state files,
// the link, and the command line.
#include "definitions.h"
#include "emulator_process.h"
#include "id_list.h"
#include "options.h"
#include "raw_peer.h"
#include "test_definitions.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace emutest;
using namespace std::chrono_literals;
using testsupport::EmulatorProcess;
using testsupport::fieldOf;

namespace {

using Bytes = std::vector<std::uint8_t>;

class EmulatorOnTerminal : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        definitions_ = new testsupport::TempDir();
        writeTestDefinitions(definitions_->file("test.PGC"));
    }
    static void TearDownTestSuite() {
        delete definitions_;
        definitions_ = nullptr;
    }
    static std::string definitions() { return definitions_->file("test.PGC"); }

    static testsupport::TempDir* definitions_;
};
testsupport::TempDir* EmulatorOnTerminal::definitions_ = nullptr;

TEST_F(EmulatorOnTerminal, AnswersOnTheLinkAndLogsEveryPacket) {
    EmulatorProcess emu("1-3,7", {}, definitions());
    EXPECT_EQ(fieldOf(emu.banner(), "units"), "1-3,7");
    EXPECT_EQ(fieldOf(emu.banner(), "link"), emu.link());
    EXPECT_EQ(std::filesystem::read_symlink(emu.link()).string(), emu.terminal());

    RawPeer host(emu.link());
    host.write(selectPacket(7));
    EXPECT_EQ(host.read(1), Bytes{6});
    host.write(opPacket(1, kBrightness, 0, 200));
    EXPECT_EQ(host.read(1), Bytes{6});
    host.write(opPacket(2, kBrightness, 0));
    const Bytes reply = host.read(33);
    ASSERT_EQ(reply.size(), 33u);
    EXPECT_EQ(reply[0], 30);
    EXPECT_EQ(reply[1 + 7 + 9], 200);
    host.write({6});
    host.write(selectPacket(5));
    EXPECT_EQ(host.read(1, 300ms), Bytes{}) << "no unit 5";

    const auto rx = emu.logLines("dir=rx");
    ASSERT_GE(rx.size(), 4u);
    EXPECT_EQ(fieldOf(rx[0], "unit"), "7");
    EXPECT_EQ(fieldOf(rx[0], "name"), "op_IP_MISC_DEVICESELECTION");
    EXPECT_EQ(fieldOf(rx[0], "item"), "env07");
    EXPECT_EQ(fieldOf(rx[1], "sub"), "set");
    EXPECT_EQ(fieldOf(rx[1], "target"), "wnWIN_MAIN");
    EXPECT_EQ(fieldOf(rx[1], "value"), "200");
    EXPECT_EQ(fieldOf(rx[1], "bytes"), "32");
    const Bytes set = opPacket(1, kBrightness, 0, 200);
    std::string hex;
    for (std::uint8_t b : set) {
        char two[3];
        std::snprintf(two, sizeof two, "%02X", b);
        hex += two;
    }
    EXPECT_EQ(fieldOf(rx[1], "hex"), hex);
    const auto tx = emu.logLines("dir=tx");
    ASSERT_EQ(tx.size(), 3u);
    EXPECT_EQ(fieldOf(tx[0], "reply"), "ack");
    EXPECT_EQ(fieldOf(tx[0], "hex"), "06");
    EXPECT_EQ(fieldOf(tx[2], "reply"), "packet");
    EXPECT_EQ(fieldOf(tx[2], "value"), "200");
    EXPECT_EQ(fieldOf(tx[2], "bytes"), "33");
    EXPECT_EQ(emu.logLines("kind=hostack").size(), 1u);
    EXPECT_EQ(fieldOf(emu.logLines("env05").at(0), "unit"), "none");
}

TEST_F(EmulatorOnTerminal, StateFileOnRequestAndAtExit) {
    EmulatorProcess emu("2,4", {}, definitions());
    RawPeer host(emu.link());
    host.write(selectPacket(4));
    host.read(1);
    host.write(opPacket(1, kHue, 0, 75));
    host.read(1);
    host.write(opPacket(5, kSetQueue));
    host.read(1);
    host.write(opPacket(1, kFreeze, 0, 1));
    host.read(1);

    const std::string state = emu.state();
    EXPECT_EQ(state.rfind("mlemu-state ", 0), 0u);
    EXPECT_NE(state.find("\nunit 4 value op_HUE - 75 percent=75000\n"), std::string::npos) << state;
    EXPECT_NE(state.find("\nunit 2 value op_HUE - 50 percent=50000\n"), std::string::npos);
    EXPECT_NE(state.find("\nunit 4 value op_FREEZE_FRAME wnWIN_MAIN 0 item=enNotEnabled\n"),
              std::string::npos);
    EXPECT_NE(state.find("\nunit 4 queue open 1\n"), std::string::npos);
    EXPECT_NE(state.find("\nunit 4 queued op_FREEZE_FRAME wnWIN_MAIN set 1\n"), std::string::npos);
    EXPECT_NE(state.find("\nunit 4 value op_BRIGHTNESS wnWIN_PIP 127 percent=49803\n"), std::string::npos);

    host.write(opPacket(5, kExecuteQueue));
    host.read(1);
    EXPECT_EQ(emu.stop(), 0);
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(emu.link()))) << "link removed";
    const std::string last = emu.state();
    EXPECT_NE(last.find("\nunit 4 value op_FREEZE_FRAME wnWIN_MAIN 1 item=enEnable\n"), std::string::npos);
    EXPECT_NE(last.find("\nunit 4 queue closed 0\n"), std::string::npos);
}

TEST_F(EmulatorOnTerminal, DamagedTrafficIsRefusedOrSkippedAndTheNextPacketAnswered) {
    EmulatorProcess emu("1", {}, definitions());
    RawPeer host(emu.link());
    Bytes bad = selectPacket(1);
    bad[10] ^= 0x40;
    host.write(bad);
    EXPECT_EQ(host.read(1), Bytes{21});

    Bytes cut = selectPacket(1);
    cut.resize(14);
    host.write({0x01, 0xBE, 0x02, 0xEF, 0xFF});
    host.write(cut);
    EXPECT_EQ(host.readUntilQuiet(400ms), Bytes{}) << "nothing to answer yet";
    host.write(selectPacket(1));
    EXPECT_EQ(host.read(1), Bytes{6});

    host.write({0xBE, 0xEF, 3, 0xFF, 0xFF, 0, 0, 1, 2, 3});
    EXPECT_EQ(host.readUntilQuiet(400ms), Bytes{});
    host.write(packet(1, {6, 0, 0, 0, 0}));
    EXPECT_EQ(host.read(1), Bytes{6});
    EXPECT_EQ(kill(emu.pid(), 0), 0) << "still running";
    EXPECT_FALSE(emu.logLines("kind=badcrc").empty());
    EXPECT_FALSE(emu.logLines("kind=noise").empty());
}

TEST_F(EmulatorOnTerminal, FaultsFromTheCommandLine) {
    EmulatorProcess emu("1", {"--fault", "nak,at=2", "--fault", "garbage,unit=1,at=3"}, definitions());
    RawPeer host(emu.link());
    host.write(selectPacket(1));
    EXPECT_EQ(host.read(1), Bytes{6});
    host.write(selectPacket(1));
    EXPECT_EQ(host.read(1), Bytes{21});
    host.write(selectPacket(1));
    EXPECT_EQ(host.read(4), (Bytes{0xA5, 0x5A, 0xC3, 6}));
    EXPECT_EQ(emu.logLines("fault=nak").size(), 1u);
}

TEST(MlemuWithOurDefinitions, PlaysTheUnitsTheCompiledFileDescribes) {
    EmulatorProcess emu("1-12");
    EXPECT_EQ(fieldOf(emu.banner(), "count"), "12");
    RawPeer host(emu.link());
    const lv::Definitions definitions = lv::Definitions::fromFile(testsupport::binPath("mlcenter.PGC"));
    const lv::OperationDef* select = definitions.findOperation("op_IP_MISC_DEVICESELECTION");
    ASSERT_NE(select, nullptr);
    host.write(opPacket(1, select->code, 0, 12));
    EXPECT_EQ(host.read(1), Bytes{6});
    const auto lines = emu.logLines("dir=rx");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(fieldOf(lines[0], "target"), "slmIMMEXCLUSIVE");
    EXPECT_EQ(fieldOf(lines[0], "item"), "env12");
    EXPECT_NE(emu.state().find("\nunit 12 value op_BRIGHTNESS wnWIN_MAIN 127 percent=49803\n"),
              std::string::npos);
}

TEST(MlemuCommandLine, RefusesBadOptionsWithStatus2) {
    auto status = [](const std::string& args) {
        const std::string command = testsupport::binPath("mlemu") + " " + args + " >/dev/null 2>&1";
        const int raw = std::system(command.c_str());
        return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    };
    EXPECT_EQ(status("--help"), 0);
    EXPECT_EQ(status("--ids 5-3"), 2);
    EXPECT_EQ(status("--ids 1 --fault melt"), 2);
    EXPECT_EQ(status("--ids 1 --definitions /nonexistent/file.PGC"), 2);
    EXPECT_EQ(status("--ids 1 --fault miss,op=op_NOTHING"), 2);
    EXPECT_EQ(status("--ids 1 --unit-range 2:op_BRIGHTNESS:0:100"), 2) << "no unit 2";
    EXPECT_EQ(status("--ids 1 --unit-range 1:op_SELECT_SOURCE:0:100"), 2) << "not a POT";
    EXPECT_EQ(status("--ids 1 --unit-range 1:op_BRIGHTNESS:9:3"), 2);
}

TEST(IdLists, ListsAndRanges) {
    std::string error;
    EXPECT_EQ(mlemu::parseIdList("3,5,20,31", error), (std::vector<int>{3, 5, 20, 31}));
    EXPECT_EQ(mlemu::parseIdList("11,1-3", error), (std::vector<int>{1, 2, 3, 11}));
    EXPECT_EQ(mlemu::parseIdList("255", error), std::vector<int>{255});
    for (const char* bad : {"", ",", "1,", "0", "256", "1-", "-3", "4-2", "1,x", "1-3,2", "1 ,2", "1--3"})
        EXPECT_FALSE(mlemu::parseIdList(bad, error)) << bad;
    EXPECT_EQ(mlemu::formatIdList({1, 2, 3, 4, 5, 6, 7, 8, 9, 11}), "1-9,11");
    EXPECT_EQ(mlemu::formatIdList({3, 5, 20, 21}), "3,5,20-21");
}

TEST(IdLists, OptionsCollectFaultsAndRefuseUnknowns) {
    std::string error;
    const auto options = mlemu::parseOptions(
        {"--ids", "1-2", "--baud", "19200", "--fault", "drop", "--fault", "late,delay=3", "--seed", "9"},
        error);
    ASSERT_TRUE(options) << error;
    EXPECT_EQ(options->baud, 19200);
    EXPECT_EQ(options->faults.size(), 2u);
    EXPECT_EQ(options->seed, 9u);
    EXPECT_FALSE(mlemu::parseOptions({"--baud", "19200"}, error)) << "no --ids";
    EXPECT_FALSE(mlemu::parseOptions({"--ids", "1", "--colour", "red"}, error));
    EXPECT_FALSE(mlemu::parseOptions({"--ids"}, error));
}

} // namespace
