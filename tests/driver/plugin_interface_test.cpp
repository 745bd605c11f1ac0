// The plug-in as a host sees it: records, dispatch, cells, ports and errors.
#include "driver_fixture.h"

#include "held_port.h"

#include <array>
#include <functional>
#include <string>

namespace drivertest {
namespace {

std::string text(const LvText& field) {
    return std::string(field.chars, field.length);
}

LvText lvText(const std::string& value) {
    LvText field{};
    field.length = static_cast<std::uint8_t>(value.size());
    std::memcpy(field.chars, value.data(), value.size());
    return field;
}

class PluginInterface : public DriverOnPty {};

TEST_F(PluginInterface, InfoRecordIsWrittenWhole) {
    PluginInfo expected{};
    expected.name = lvText("Lumivane");
    expected.codeName = lvText("LUMIVANE");
    expected.vendor = lvText("Norventa");
    expected.magic99 = 99;
    expected.portCount = 1;
    expected.version = lvText("v1.8");
    expected.date = lvText("09/01/2001");
    expected.commandCount = 20;

    PluginInfo info;
    std::memset(&info, 0xAA, sizeof info);
    LvCell cell = reinterpret_cast<LvCell>(&info);
    ASSERT_EQ(plugin->getPluginSupportInfo(&cell), LV_RESULT_OK);
    EXPECT_EQ(cell, reinterpret_cast<LvCell>(&info));
    EXPECT_FALSE(text(info.legalNotice).empty());
    expected.legalNotice = info.legalNotice; // free text
    EXPECT_EQ(std::memcmp(&info, &expected, sizeof info), 0);

    LvCell nullCell = 0;
    ASSERT_EQ(plugin->getPluginSupportInfo(&nullCell), LV_RESULT_OK);
    ASSERT_NE(nullCell, 0u);
    EXPECT_EQ(std::memcmp(reinterpret_cast<const void*>(nullCell), &expected, sizeof expected), 0);
}

TEST_F(PluginInterface, PortCountFollowsThePortListAtEachCall) {
    PluginInfo info{};
    LvCell cell = reinterpret_cast<LvCell>(&info);
    {
        ScopedEnv three("LVDRIVER_PORTS", testsupport::portList({"/dev/null", "/x", "/y"}));
        ASSERT_EQ(plugin->getPluginSupportInfo(&cell), LV_RESULT_OK);
        EXPECT_EQ(info.portCount, 3u);
    }
#ifndef _WIN32 // Windows keeps no empty variable: unset, the registry's list counts
    {
        ScopedEnv none("LVDRIVER_PORTS", "");
        ASSERT_EQ(plugin->getPluginSupportInfo(&cell), LV_RESULT_OK);
        EXPECT_EQ(info.portCount, 0u);
    }
#endif
}

TEST_F(PluginInterface, CommandDescriptionsAreWrittenWhole) {
    CommandDescription expected{};
    expected.name = lvText("GetMatchListItem");
    expected.description = lvText("Returns one item of a given match table");
    expected.parameters[0] = {LV_PT_PCHAR, lvText("(IN) Match table name")};
    expected.parameters[1] = {LV_PT_UNSIGNED_INT32, lvText("(IN) Number of the requested item")};
    expected.parameters[2] = {LV_PT_PCHAR, lvText("(OUT) Item string code")};
    expected.parameters[3] = {LV_PT_PCHAR, lvText("(OUT) Item description")};

    CommandDescription block;
    std::memset(&block, 0xAA, sizeof block);
    LvCell number = 17, cell = reinterpret_cast<LvCell>(&block);
    ASSERT_EQ(plugin->executeByNumber(LV_CMD_QUERY_PARAM, &number, &cell, nullptr, nullptr), LV_RESULT_OK);
    EXPECT_EQ(std::memcmp(&block, &expected, sizeof block), 0);

    // The range query repeats the decrement's description and has two outputs.
    number = 8;
    ASSERT_EQ(plugin->executeByNumber(LV_CMD_QUERY_PARAM, &number, &cell, nullptr, nullptr), LV_RESULT_OK);
    EXPECT_EQ(text(block.name), "SendOpRangeQuery");
    EXPECT_EQ(text(block.description), "Decrement the required value by a specified step");
    EXPECT_EQ(block.parameters[3].kind, LV_PT_SIGNED_INT32);
    EXPECT_EQ(text(block.parameters[3].text), "(OUT) Minimum usable value returned by the device");

    // A null cell gets a block of the plug-in's own.
    number = 19;
    LvCell nullCell = 0;
    ASSERT_EQ(plugin->executeByNumber(LV_CMD_QUERY_PARAM, &number, &nullCell, nullptr, nullptr),
              LV_RESULT_OK);
    ASSERT_NE(nullCell, 0u);
    const auto& owned = *reinterpret_cast<const CommandDescription*>(nullCell);
    EXPECT_EQ(text(owned.name), "SetTestModeStatus");
    EXPECT_EQ(text(owned.parameters[1].text), "Unused (supplied value returns unchanged)");
    EXPECT_EQ(owned.parameters[1].kind, LV_PT_UNUSED);
}

TEST_F(PluginInterface, CommandNamesInNumberOrder) {
    const std::array<const char*, 20> names{"QueryParam",
                                            "SendEvent",
                                            "SendOpSetValue",
                                            "SendOpGetValue",
                                            "SendOpIncValue",
                                            "SendOpDecValue",
                                            "SendOpExecute",
                                            "SendOpIsAvail",
                                            "SendOpRangeQuery",
                                            "DetectPort",
                                            "SendOEM",
                                            "VariableGet",
                                            "VariableSet",
                                            "VariableClear",
                                            "VariableToogle",
                                            "SetAnswerRxStatus",
                                            "GetMatchListItemCount",
                                            "GetMatchListItem",
                                            "GetLastPackets",
                                            "SetTestModeStatus"};
    for (LvCell number = 0; number < names.size(); ++number) {
        CommandDescription block{};
        LvCell cell = reinterpret_cast<LvCell>(&block);
        ASSERT_EQ(plugin->executeByNumber(LV_CMD_QUERY_PARAM, &number, &cell, nullptr, nullptr),
                  LV_RESULT_OK);
        EXPECT_EQ(text(block.name), names[number]);
    }
}

TEST_F(PluginInterface, DispatchByNameIgnoresCaseButNeverReachesQueryParam) {
    openPort();
    LvCell on = 1;
    EXPECT_EQ(plugin->run("settestmodestatus", &on), LV_RESULT_OK);
    auto packet = makePacket(LV_PACKET_TYPE_DETECT, {6, 0, 0, 0, 0});
    EXPECT_EQ(plugin->sendPacket(packet.get()), LV_LINK_ACK) << "test mode is on: no reply needed";

    LvCell number = 1;
    LvCell block = 0;
    EXPECT_EQ(plugin->run("QueryParam", &number, &block), LV_RESULT_UNSUPPORTED_COMMAND);
    EXPECT_EQ(block, 0u);
    EXPECT_EQ(plugin->run("SendOpSetValueX"), LV_RESULT_UNSUPPORTED_COMMAND);
    EXPECT_EQ(plugin->run(""), LV_RESULT_UNSUPPORTED_COMMAND);
    EXPECT_EQ(plugin->executeByName(nullptr, nullptr, nullptr, nullptr, nullptr),
              LV_RESULT_UNSUPPORTED_COMMAND);
    LvCell list = textCell("mInputSources"), count = 99;
    EXPECT_EQ(plugin->run("GETMATCHLISTITEMCOUNT", &list, &count), LV_RESULT_OK);
    EXPECT_EQ(count, 0u);
}

TEST_F(PluginInterface, NumbersFromTwentyUpTouchNoCell) {
    for (std::uint32_t number : {20u, 21u, 255u, 0xFFFFFFFFu}) {
        LvCell cells[4] = {0x1111, 0x2222, 0, 0x4444};
        EXPECT_EQ(plugin->executeByNumber(number, &cells[0], &cells[1], &cells[2], &cells[3]),
                  LV_RESULT_UNSUPPORTED_COMMAND);
        EXPECT_EQ(cells[0], 0x1111u);
        EXPECT_EQ(cells[1], 0x2222u);
        EXPECT_EQ(cells[2], 0u);
        EXPECT_EQ(cells[3], 0x4444u);
    }
    LvCell number = 20, block = 0;
    EXPECT_EQ(plugin->executeByNumber(LV_CMD_QUERY_PARAM, &number, &block, nullptr, nullptr),
              LV_RESULT_UNSUPPORTED_COMMAND);
    EXPECT_EQ(block, 0u);
}

TEST_F(PluginInterface, OnlyTheLowThirtyTwoBitsOfACellCount) {
    openPort();
    LvCell flag = LvCell{1} << 32; // low half zero: off
    ASSERT_EQ(plugin->executeByNumber(LV_CMD_SET_TEST_MODE_STATUS, &flag, nullptr, nullptr, nullptr), 0);
    peer.replyNext(Bytes{LV_LINK_ACK});
    auto packet = makePacket(LV_PACKET_TYPE_DETECT, {6, 0, 0, 0, 0});
    EXPECT_EQ(plugin->sendPacket(packet.get()), LV_LINK_ACK);
    EXPECT_EQ(peer.received(12).size(), 12u) << "test mode stayed off";
}

TEST_F(PluginInterface, GetLastPacketsSkipsNullAddresses) {
    LvCell none = 0;
    EXPECT_EQ(plugin->executeByNumber(LV_CMD_GET_LAST_PACKETS, &none, &none, nullptr, nullptr), LV_RESULT_OK);
    auto sent = lastPacket(false);
    EXPECT_EQ(std::memcmp(sent.get(), std::make_unique<Packet>().get(), sizeof(Packet)), 0)
        << "zero after load";
}

TEST_F(PluginInterface, ReloadingStartsFromScratch) {
    openPort();
    ASSERT_EQ(setFlag(LV_CMD_SET_TEST_MODE_STATUS, true), LV_RESULT_OK);
    plugin.reset();
    plugin = std::make_unique<testsupport::PluginLibrary>();
    EXPECT_EQ(plugin->closeHardwarePort(), LV_RESULT_PORT_ALREADY_CLOSED);
    openPort();
    auto packet = makePacket(LV_PACKET_TYPE_DETECT, {6, 0, 0, 0, 0});
    EXPECT_EQ(plugin->sendPacket(packet.get()), LV_LINK_NO_REPLY) << "test mode is off again";
    EXPECT_EQ(peer.received(12).size(), 12u);
}

TEST_F(PluginInterface, PortNumbersUseTheLowByteAndThePortList) {
    ScopedEnv ports("LVDRIVER_PORTS", testsupport::portList({"/nonexistent/a", "", peer.path()}));
    EXPECT_EQ(plugin->openHardwarePort(1), LV_RESULT_CANNOT_OPEN_PORT);
    EXPECT_EQ(plugin->lastErrorText(),
              "Unable to open com port /nonexistent/a (" +
                  onPlatform("errno 2: No such file or directory", "win error code: 3") + ")");
    EXPECT_EQ(plugin->openHardwarePort(2), LV_RESULT_CANNOT_OPEN_PORT);
    EXPECT_EQ(plugin->lastErrorText(), "Unable to open com port COM2: its entry in the port list is empty");
    EXPECT_EQ(plugin->openHardwarePort(4), LV_RESULT_CANNOT_OPEN_PORT);
    EXPECT_EQ(plugin->lastErrorText(), "Unable to open com port COM4: LVDRIVER_PORTS lists 3 ports");
    EXPECT_EQ(plugin->openHardwarePort(0), LV_RESULT_CANNOT_OPEN_PORT);
    EXPECT_EQ(plugin->lastErrorText(), "Unable to open com port COM0: port numbers start at 1");

    ASSERT_EQ(plugin->openHardwarePort(259), LV_RESULT_OK) << "259 is COM3";
    EXPECT_EQ(plugin->lastErrorText(), "") << "a successful call clears the error text";
    EXPECT_EQ(plugin->openHardwarePort(3), LV_RESULT_PORT_ALREADY_OPEN);
    peer.replyNext(Bytes{LV_LINK_ACK});
    auto packet = makePacket(LV_PACKET_TYPE_DETECT, {6, 0, 0, 0, 0});
    EXPECT_EQ(plugin->sendPacket(packet.get()), LV_LINK_ACK);
    EXPECT_EQ(plugin->closeHardwarePort(), LV_RESULT_OK);
    EXPECT_EQ(plugin->closeHardwarePort(), LV_RESULT_PORT_ALREADY_CLOSED);
}

TEST_F(PluginInterface, PortHeldByAnotherProgramDoesNotOpen) {
    if (!testsupport::heldPortsExcludeOthers())
        GTEST_SKIP() << "this system lets a second opener have a held port";
    {
        const testsupport::HeldPort held(peer.path());
        ASSERT_TRUE(held.held());
        EXPECT_EQ(plugin->openHardwarePort(1), LV_RESULT_CANNOT_OPEN_PORT);
        EXPECT_EQ(plugin->lastErrorText(),
                  onPlatform("Unable to open com port " + peer.path() +
                                 ": another program holds it (errno 11: Resource temporarily unavailable)",
                             "Unable to open com port \\\\.\\" + peer.path() + " (win error code: 32)"));
        EXPECT_EQ(plugin->closeHardwarePort(), LV_RESULT_PORT_ALREADY_CLOSED);
    }
    EXPECT_EQ(plugin->openHardwarePort(1), LV_RESULT_OK) << "free once the holder is gone";
}

TEST_F(PluginInterface, ExchangesOnAClosedPortReportThePortError) {
    const std::string purgeFailed =
        "PurgeComm function failed (" + onPlatform("errno 9: Bad file descriptor", "win error code: 6") + ")";
    auto packet = makePacket(LV_PACKET_TYPE_DETECT, {6, 0, 0, 0, 0});
    EXPECT_EQ(plugin->sendPacket(packet.get()), LV_LINK_NO_REPLY);
    EXPECT_EQ(plugin->lastErrorText(), purgeFailed);

    std::vector<std::uint8_t> data(65535, 0);
    LvCell id = 1, size = 4, address = reinterpret_cast<LvCell>(data.data());
    EXPECT_EQ(plugin->run("SendOEM", &id, &size, &address), LV_RESULT_IO_ERROR);
    EXPECT_EQ(plugin->lastErrorText(), purgeFailed);

    LvCell found = 7;
    EXPECT_EQ(plugin->executeByNumber(LV_CMD_SEND_OEM + 100, &found, nullptr, nullptr, nullptr),
              LV_RESULT_UNSUPPORTED_COMMAND);
    EXPECT_EQ(plugin->lastErrorText(), "") << "each call starts with a clean error text";

    ASSERT_EQ(setFlag(LV_CMD_SET_TEST_MODE_STATUS, true), LV_RESULT_OK);
    EXPECT_EQ(plugin->sendPacket(packet.get()), LV_LINK_ACK) << "test mode never touches the port";
    EXPECT_EQ(plugin->getLastErrorText(nullptr), LV_RESULT_UNINITIALIZED_POINTER);
}

// The read time-outs at their product values: about 1.2 s for one byte from a
// silent line, and 200 ms after the last byte of a reply that stops short.
class LineTimeouts : public DriverOnPty {
protected:
    LineTimeouts() : DriverOnPty("1") {}
    void SetUp() override { openPort(); }
};

long long millisecondsOf(const std::function<void()>& action) {
    const auto start = std::chrono::steady_clock::now();
    action();
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start)
        .count();
}

TEST_F(LineTimeouts, SilentLineGivesUpAfterTheTotalTimeout) {
    auto packet = makePacket(LV_PACKET_TYPE_DETECT, {6, 0, 0, 0, 0});
    std::uint32_t result = 0;
    const long long elapsed = millisecondsOf([&] { result = plugin->sendPacket(packet.get()); });
    EXPECT_EQ(result, LV_LINK_NO_REPLY);
    EXPECT_GE(elapsed, 1100);
    EXPECT_LT(elapsed, 4000);
}

TEST_F(LineTimeouts, ShortReplyEndsTwoHundredMillisecondsAfterItsLastByte) {
    // A reply packet announcing 100 payload bytes; ten come 400 ms later, then
    // nothing. Waiting for the total time-out would take 21 s.
    Bytes header{LV_LINK_PACKET, 0xBE, 0xEF, 3, 100, 0, 0, 0};
    peer.replyNextInChunks({{0, header}, {400, Bytes(10, 0x33)}});
    auto packet = makePacket(LV_PACKET_TYPE_DETECT, {6, 0, 0, 0, 0});
    std::uint32_t result = 0;
    const long long elapsed = millisecondsOf([&] { result = plugin->sendPacket(packet.get()); });
    EXPECT_EQ(result, LV_LINK_NO_REPLY);
    EXPECT_GE(elapsed, 550);
    EXPECT_LT(elapsed, 2500);
    EXPECT_EQ(peer.received(13).back(), LV_LINK_NAK);
}

} // namespace
} // namespace drivertest
