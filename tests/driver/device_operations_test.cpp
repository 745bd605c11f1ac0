// Device commands against a definition file and a unit on a pseudo-terminal:
// check order, result codes and the packets on the line.
#include "definitions/pgc_image.h"
#include "driver_fixture.h"
#include "paths.h"

#include <filesystem>

namespace drivertest {
namespace {

// Operation packet payload: step, code, flags, target, value, minimum, maximum, increment.
Bytes operation(std::uint8_t step, std::uint16_t code, std::uint32_t target = 0, std::int32_t value = 0,
                std::int32_t minimum = 0, std::int32_t maximum = 0, std::int32_t increment = 0) {
    Bytes payload{step, static_cast<std::uint8_t>(code), static_cast<std::uint8_t>(code >> 8), 0, 0};
    for (std::int32_t field : {static_cast<std::int32_t>(target), value, minimum, maximum, increment})
        for (int i = 0; i < 4; ++i)
            payload.push_back(static_cast<std::uint8_t>(static_cast<std::uint32_t>(field) >> (8 * i)));
    return payload;
}

Bytes opPacket(const Bytes& payload) {
    return sealedBytes(LV_PACKET_TYPE_OPERATION, payload);
}
Bytes opReply(const Bytes& payload) {
    return concat({LV_LINK_PACKET}, opPacket(payload));
}

const std::string kLongDescription(255, 'd'); // the longest a file can hold

class DeviceOperations : public DriverOnPty {
protected:
    void SetUp() override {
        testpgc::Image image(0x5A);
        image.record(1, {"", "op_BRIGHTNESS", "$21", "POT", "Brightness", "0", "255", "mWindows"})
            .record(1, {"", "op_OFFSET", "0x22", "pot", "Offset", "-50", "50"})
            .record(1, {"", "op_INPUT", "48", "VALUE", "Input", "mInputSources"})
            .record(1, {"", "op_RESET", "64", "EXECUTE", "Reset"})
            .record(2, {"mWindows", "Main window", "wnWIN_MAIN", "1"})
            .record(2, {"mWindows", "Sub window", "wnWIN_SUB", "2"})
            .record(2, {"mInputSources", "Analog RGB 1", "isANALOGRGB1", "16"})
            .record(2, {"mInputSources", kLongDescription, "isDVI", "17"})
            .record(3, {"", "0x0102", "boolean", "vrFREEZE"})
            .record(4, {"", "7", "BOOLEAN", "vrMUTE"})
            .record(5, {"", "", "evMENU", "17"});
        image.writeTo(folder.file("units.PGC"));
        reloadWithDefinitions(folder.file("units.PGC"));
        openPort();
    }

    std::uint8_t op(const char* command, const char* name, const char* target, LvCell* value,
                    std::uint8_t kind) {
        LvCell p1 = textCell(name), p2 = textCell(target), p4 = kind;
        return plugin->run(command, &p1, &p2, value, &p4);
    }

    testsupport::TempDir folder;
};

TEST_F(DeviceOperations, PotSetScalesIntoTheRangeTheUnitReports) {
    // The unit acknowledges the range query: the file's range 0..255 applies.
    peer.setDefaultReply(Bytes{LV_LINK_ACK});
    LvCell value = 50000;
    EXPECT_EQ(op("SendOpSetValue", "OP_brightness", "wnwin_sub", &value, LV_VALUE_PERCENTAGE), 128);
    EXPECT_EQ(peer.received(2 * 32),
              concat(opPacket(operation(7, 0x21, 2)), opPacket(operation(1, 0x21, 2, 127))));
    peer.clearReceived();

    // The unit reports 10..20.
    peer.replyNext(opReply(operation(7, 0x21, 2, 0, 10, 20)));
    EXPECT_EQ(op("SendOpSetValue", "op_BRIGHTNESS", "wnWIN_SUB", &value, LV_VALUE_PERCENTAGE), 128);
    EXPECT_EQ(peer.received(2 * 32 + 1), concat(concat(opPacket(operation(7, 0x21, 2)), {LV_LINK_ACK}),
                                                opPacket(operation(1, 0x21, 2, 15))));
    peer.clearReceived();

    // An immediate value outside the range ends after the range query.
    value = 300;
    EXPECT_EQ(op("SendOpSetValue", "op_BRIGHTNESS", "wnWIN_MAIN", &value, LV_VALUE_IMMEDIATE), 139);
    EXPECT_EQ(peer.received(32), opPacket(operation(7, 0x21, 1)));
    // A negative minimum shifts the range for percentages only.
    value = 50000;
    EXPECT_EQ(op("SendOpSetValue", "op_OFFSET", nullptr, &value, LV_VALUE_PERCENTAGE), 128);
    value = -50;
    EXPECT_EQ(op("SendOpSetValue", "op_OFFSET", nullptr, &value, LV_VALUE_IMMEDIATE), 128);
    const auto packets = peer.packets(5);
    ASSERT_EQ(packets.size(), 5u);
    EXPECT_EQ(packets[2], opPacket(operation(1, 0x22, 0, 50)));
    EXPECT_EQ(packets[4], opPacket(operation(1, 0x22, 0, -50)));
}

TEST_F(DeviceOperations, ChecksRunInOrderAndSendNothing) {
    LvCell value = 0;
    EXPECT_EQ(op("SendOpSetValue", "op_NONE", "wnWIN_MAIN", &value, 3), 130);
    EXPECT_EQ(op("SendOpSetValue", "op_BRIGHTNESS", nullptr, &value, 3), 132) << "target before kind";
    EXPECT_EQ(op("SendOpSetValue", "op_BRIGHTNESS", "wnNONE", &value, 3), 133);
    EXPECT_EQ(op("SendOpSetValue", "op_BRIGHTNESS", "wnWIN_MAIN", &value, 3), 135);
    EXPECT_EQ(op("SendOpSetValue", "op_RESET", "wnWIN_MAIN", &value, 0), 131);
    EXPECT_EQ(op("SendOpSetValue", "op_RESET", nullptr, &value, 0), 141);
    EXPECT_EQ(op("SendOpGetValue", "op_RESET", nullptr, &value, 0), 141);
    EXPECT_EQ(op("SendOpIncValue", "op_RESET", nullptr, &value, 0), 141);
    EXPECT_EQ(op("SendOpExecute", "op_INPUT", nullptr, &value, 0), 142);
    EXPECT_EQ(op("SendOpSetValue", "op_INPUT", nullptr, &value, 0), 138);
    EXPECT_EQ(op("SendOpSetValue", "op_INPUT", nullptr, &value, 1), 137);
    value = textCell("isNONE");
    EXPECT_EQ(op("SendOpSetValue", "op_INPUT", nullptr, &value, 2), 140);
    EXPECT_EQ(plugin->run("SendEvent"), 129);
    EXPECT_TRUE(peer.received(0, std::chrono::milliseconds(50)).empty());
}

TEST_F(DeviceOperations, GetDeliversTheValueInTheKindAsked) {
    char buffer[256];
    std::memset(buffer, ' ', sizeof buffer);
    buffer[0] = char(255);
    LvCell text = reinterpret_cast<LvCell>(buffer);
    peer.replyNext(opReply(operation(2, 48, 0, 17)));
    EXPECT_EQ(op("SendOpGetValue", "op_INPUT", nullptr, &text, LV_VALUE_IDENTIFIER), 128);
    EXPECT_EQ(std::string(buffer, 8), "\xFFisDVI  ");
    peer.replyNext(opReply(operation(2, 48, 0, 99)));
    EXPECT_EQ(op("SendOpGetValue", "op_INPUT", nullptr, &text, LV_VALUE_IDENTIFIER), 140);
    peer.replyNext(opReply(operation(2, 48, 0, 17)));
    LvCell number = 5;
    EXPECT_EQ(op("SendOpGetValue", "op_INPUT", nullptr, &number, LV_VALUE_IMMEDIATE), 138)
        << "after the reply";
    EXPECT_EQ(peer.packets(3).size(), 3u);

    // POT in percent, with the range from the file (the query is acknowledged).
    peer.replyNext(Bytes{LV_LINK_ACK});
    peer.replyNext(opReply(operation(2, 0x21, 1, 1)));
    number = 5;
    EXPECT_EQ(op("SendOpGetValue", "op_BRIGHTNESS", "wnWIN_MAIN", &number, LV_VALUE_PERCENTAGE), 128);
    EXPECT_EQ(number, 392u); // 1 / 255 of 100000, truncated
    peer.replyNext(Bytes{LV_LINK_ACK});
    peer.replyNext(opReply(operation(2, 0x21, 1, -3)));
    EXPECT_EQ(op("SendOpGetValue", "op_BRIGHTNESS", "wnWIN_MAIN", &number, LV_VALUE_IMMEDIATE), 128);
    EXPECT_EQ(number, static_cast<LvCell>(-3)) << "signed values fill the whole cell";
}

TEST_F(DeviceOperations, QueriesAndStepsFillTheirCells) {
    LvCell maximum = 0, minimum = 0;
    peer.replyNext(opReply(operation(7, 0x22, 0, 0, -7, 70)));
    LvCell p1 = textCell("op_OFFSET"), p2 = 0;
    EXPECT_EQ(plugin->run("SendOpRangeQuery", &p1, &p2, &maximum, &minimum), 128);
    EXPECT_EQ(maximum, 70u);
    EXPECT_EQ(minimum, static_cast<LvCell>(-7));
    Bytes flags = operation(6, 0x22);
    flags[3] = 0x34, flags[4] = 0x82;
    peer.replyNext(opReply(flags));
    LvCell cell = 0;
    EXPECT_EQ(plugin->run("SendOpIsAvail", &p1, &p2, &cell), 128);
    EXPECT_EQ(cell, 0x8234u);
    peer.replyNext(Bytes{LV_LINK_ACK});
    cell = static_cast<LvCell>(-5);
    EXPECT_EQ(plugin->run("SendOpDecValue", &p1, &p2, &cell), 128);
    peer.replyNext(Bytes{LV_LINK_NAK});
    EXPECT_EQ(plugin->run("SendOpExecute", &p1, &p2), 142);
    p1 = textCell("op_RESET");
    EXPECT_EQ(plugin->run("SendOpExecute", &p1, &p2), 5) << "refused";
    const auto packets = peer.packets(4);
    ASSERT_EQ(packets.size(), 4u);
    EXPECT_EQ(packets[2], opPacket(operation(4, 0x22, 0, 0, 0, 0, -5)));
    EXPECT_EQ(packets[3], opPacket(operation(5, 64)));
}

TEST_F(DeviceOperations, WaitOffAndTestMode) {
    ASSERT_EQ(setFlag(LV_CMD_SET_ANSWER_RX_STATUS, false), 0);
    LvCell value = 12345;
    EXPECT_EQ(op("SendOpGetValue", "op_BRIGHTNESS", "wnWIN_MAIN", &value, LV_VALUE_IMMEDIATE), 128);
    EXPECT_EQ(value, 12345u);
    EXPECT_EQ(peer.packets(2).size(), 2u);

    ASSERT_EQ(setFlag(LV_CMD_SET_TEST_MODE_STATUS, true), 0);
    peer.clearReceived();
    value = 50000;
    EXPECT_EQ(op("SendOpSetValue", "op_BRIGHTNESS", "wnWIN_MAIN", &value, LV_VALUE_PERCENTAGE), 128);
    EXPECT_EQ(lineBytes(*lastPacket(false)), opPacket(operation(1, 0x21, 1, 127)));
    LvCell name = textCell("evMenu"), parameter = 0x12345678;
    EXPECT_EQ(plugin->run("SendEvent", &name, &parameter), 128);
    EXPECT_EQ(lineBytes(*lastPacket(false)),
              sealedBytes(LV_PACKET_TYPE_EVENT, {17, 0, 0x78, 0x56, 0x34, 0x12}));
    EXPECT_TRUE(peer.received(0, std::chrono::milliseconds(50)).empty());
}

TEST_F(DeviceOperations, Variables) {
    peer.setDefaultReply(Bytes{LV_LINK_ACK});
    LvCell name = textCell("VRFREEZE"), value = 0x10000;
    EXPECT_EQ(plugin->run("VariableSet", &name, &value), 128);
    value = 1;
    EXPECT_EQ(plugin->run("VariableSet", &name, &value), 128);
    name = textCell("vrMUTE");
    EXPECT_EQ(plugin->run("VariableToogle", &name), 128);
    EXPECT_EQ(peer.received(3 * 13), concat(concat(sealedBytes(14, {2, 1, 0x02, 0x01, 0, 0}),
                                                   sealedBytes(14, {2, 1, 0x02, 0x01, 0xFF, 0xFF})),
                                            sealedBytes(14, {4, 0, 7, 0, 0, 0})));

    peer.replyNext(concat({LV_LINK_PACKET}, sealedBytes(14, {1, 0, 7, 0, 0, 1})));
    value = 0;
    EXPECT_EQ(plugin->run("VariableGet", &name, &value), 128);
    EXPECT_EQ(value, 65535u);
    name = textCell("vrNONE");
    EXPECT_EQ(plugin->run("VariableClear", &name), 145);
}

TEST_F(DeviceOperations, MatchListItems) {
    LvCell list = textCell("MINPUTSOURCES"), count = 99;
    EXPECT_EQ(plugin->run("GetMatchListItemCount", &list, &count), 0);
    EXPECT_EQ(count, 2u);
    char code[256], description[256];
    std::memset(code, '.', sizeof code);
    std::memset(description, '.', sizeof description);
    LvCell index = 1, codeCell = reinterpret_cast<LvCell>(code),
           descriptionCell = reinterpret_cast<LvCell>(description);
    EXPECT_EQ(plugin->run("GetMatchListItem", &list, &index, &codeCell, &descriptionCell), 0);
    EXPECT_EQ(std::string(code, 8), ".isDVI..");
    EXPECT_EQ(description[0], '.');
    EXPECT_EQ(std::string(description + 1, 255), std::string(255, 'd'));
    index = 2;
    EXPECT_EQ(plugin->run("GetMatchListItem", &list, &index, &codeCell, &descriptionCell), 147);
}

TEST(DefinitionFileLocation, HostProgramPathWithPgcExtension) {
    // The plug-in reads driver_tests.PGC beside driver_tests (driver_tests.exe).
    const std::string path = testsupport::binPath("driver_tests.PGC");
    testpgc::Image image(0x11);
    image.record(2, {"mLanguages", "English", "lgENGLISH", "0"});
    image.writeTo(path);
    ScopedEnv unset("LVDRIVER_DEFINITIONS", nullptr);
    LvCell list = textCell("mLanguages"), count = 0;
    {
        testsupport::PluginLibrary plugin;
        EXPECT_EQ(plugin.run("GetMatchListItemCount", &list, &count), 0);
    }
    std::filesystem::remove(path);
    EXPECT_EQ(count, 1u);
}

} // namespace
} // namespace drivertest
